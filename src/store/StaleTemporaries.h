#pragma once

#include <string>

namespace quilor {

// The names under which a write of the data file whose real path (links
// followed) is target makes its temporaries, as mkstemp and mkdtemp
// templates: the new content beside the file, and the command-line tool's
// staging folder beside it. Both carry the file's own name and a mark no
// person gives a file, so that a user's "data.xtr.backup" is never taken for
// one of them.
std::string TemporaryFileTemplate(const std::string& target);
std::string StagingFolderTemplate(const std::string& target);

// Removes what writes of the data file at path left beside it when they were
// killed midway: regular files of this user named by TemporaryFileTemplate,
// and staging folders of this user (by StagingFolderTemplate) that hold
// nothing but the tool's own staged files. Anything else of such a name (a
// link, a folder, another user's file, a folder with other content) stays.
// Call it only while holding the data file's lock: then no other write of
// the file is under way, and every such name is a leftover. It never fails;
// what cannot be removed stays for the next time.
void RemoveStaleTemporaries(const std::string& path);

}  // namespace quilor
