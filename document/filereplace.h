#ifndef TOVENDAL_DOCUMENT_FILEREPLACE_H
#define TOVENDAL_DOCUMENT_FILEREPLACE_H

#include <string>

/// How a replace of a file's content ended.
struct ReplaceOutcome
{
    /// 0 when the new content is in place, else the errno of the step that failed.
    int error = 0;
    /// Set when the earlier content is kept whole in this file (the file itself may be damaged).
    std::string backup;
};

/// Gives the file at path the content bytes, keeping what the file is (its names, owner, mode).
ReplaceOutcome ReplaceFile(const std::string& path, const std::string& bytes);

#endif // TOVENDAL_DOCUMENT_FILEREPLACE_H
