#pragma once

#include <QByteArray>
#include <QString>

// The name of the section that carries the version block in executables
// that have no version resources of their own (ELF).
inline constexpr char VersionSectionName[] = ".kardolist_version";

// The "FileVersion" string of the executable at path: from its version
// resource on Windows, from its version section elsewhere. Empty when the
// file, the block, the translation entry or the string is missing.
QString ReadFileVersion(const QString &path);

// The same answer for a block already read: the first translation entry
// names the string table that holds "FileVersion".
QString FileVersionFromBlock(const QByteArray &block);
