#ifndef TOVENDAL_PLATFORM_VERSIONBLOCK_H
#define TOVENDAL_PLATFORM_VERSIONBLOCK_H

#include <cstddef>

// A version block is a tree of nodes laid out as the classic executable
// version resource: each node holds its total length in bytes, the length of
// its value, a type (0 binary, 1 text), a zero-terminated UTF-16LE key and its
// value, then its children, everything aligned to 4 bytes from the block's
// start. The root "VS_VERSION_INFO" carries the fixed file information; below
// it "StringFileInfo\<language and code page>\<item>" holds the text items and
// "VarFileInfo\Translation" the table of language and code-page pairs.

/// Size in bytes of the fixed file information at the root of a block.
const unsigned int kFixedFileInfoSize = 52;

/// Size in bytes of the version block found in the given file, or 0 when the
/// file holds no well-formed block; *handle is set to 0.
unsigned long GetVersionBlockSize(const wchar_t* fileName, unsigned long* handle);

/// Copies the version block of the given file into data, which holds size
/// bytes; false when the file has no block or it does not fit.
bool GetVersionBlock(const wchar_t* fileName, unsigned long handle, unsigned long size,
                     void* data);

/// Finds a value in a block filled by GetVersionBlock. subBlock is a path of
/// keys separated by backslashes, compared without regard to letter case: "\"
/// gives the fixed file information, a text item gives UTF-16LE characters and
/// *length counts them with their terminating zero, any other node gives
/// *length bytes. False when the path names no node.
bool QueryVersionBlock(const void* block, const wchar_t* subBlock, const void** value,
                       unsigned int* length);

/// The running program's own version block as it is compiled in, and its size.
const unsigned char* ProgramVersionBlock(std::size_t* size);

#endif // TOVENDAL_PLATFORM_VERSIONBLOCK_H
