#pragma once

#include <QString>

namespace quilor {

// A system-wide guard named after the product: an abstract Unix socket that
// only one process can hold. The kernel drops it when the holder dies, even
// by SIGKILL, and no file is created.
class SingleInstance {
 public:
  explicit SingleInstance(const QString& name);
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // False when another process holds the guard.
  bool acquired() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

}  // namespace quilor
