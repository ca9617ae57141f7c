#ifndef TOVENDAL_DOCUMENT_FILEREPLACE_H
#define TOVENDAL_DOCUMENT_FILEREPLACE_H

#include <string>

/// How a replace of a file's content ended.
struct ReplaceOutcome
{
    /// 0 when the new content is in place, else the errno of the step that failed.
    int error = 0;
    /// Set when a copy of the earlier content is left in this file. After a failure the file
    /// itself may then be damaged, and this copy is the only whole one.
    std::string backup;
};

/// Gives the file at path the content bytes, keeping what the file is: its other names, owner,
/// mode, access control list and extended attributes; a link stays a link and its target gets
/// the content. After a failure, and after a kill at any point, the earlier content is whole at
/// path or in the backup named. The backup goes beside the file, or into spareFolder where the
/// file's folder takes no new file.
ReplaceOutcome ReplaceFile(const std::string& path, const std::string& bytes,
                           const std::string& spareFolder);

#endif // TOVENDAL_DOCUMENT_FILEREPLACE_H
