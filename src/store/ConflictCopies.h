#pragma once

#include <string>
#include <vector>

namespace quilor {

// The copies a sync engine leaves beside the data file when two machines
// changed it at once: Syncthing's "data.sync-conflict-YYYYMMDD-HHMMSS-XXXXXXX.xtr"
// and Nextcloud's "data (conflicted copy ...).xtr", for a data file
// "data.xtr". A data file that is a link has them beside the file it points
// to, named after that file. Full paths, sorted; none when the folder cannot
// be listed.
std::vector<std::string> ConflictCopiesOf(const std::string& dataFilePath);

}  // namespace quilor
