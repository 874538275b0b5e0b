#pragma once

#include <QString>

#include "PasswordHealth.h"

namespace quilor {

// "12 kayıttan 3'ü zayıf, 2'si ortak, 5'i eski", with ", 1'i boş" when
// some record has no password.
QString HealthHeader(const HealthReport& report);

// What one finding says, without the record's name.
QString FindingText(const HealthFinding& finding);

}  // namespace quilor
