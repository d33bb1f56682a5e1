#pragma once

#include <QString>

namespace Fasoria {

/// Error texts the readers and the atomic save share; a caller prefixes them with the path it shows.
constexpr const char *kNotRegularFile = "not a regular file";
constexpr const char *kFileNameNotUtf8 = "file name is not valid UTF-8";

/// Whether `path` names the file its bytes on disk name. A name decoded from bytes that are not UTF-8
/// carries U+FFFD in their place and would encode back to other bytes, so opening or writing it would
/// reach a different file; such a name is faithful only when a file of exactly its encoded name exists.
bool isFaithfulFileName(const QString &path);

/// Whether two paths reach the same file: the same device and inode when both exist, otherwise the same
/// absolute path once the existing folder is resolved (so "g.csv" and "./g.csv" match before either exists).
bool isSameFile(const QString &first, const QString &second);

/// The name a file is saved under: `chosenName` as it is when it already ends in `accepted` (any letter
/// case), otherwise with `appended` added ("work" → "work.session.json", "work.JSON" kept).
QString withFileEnding(const QString &chosenName, const char *accepted, const char *appended);

} // namespace Fasoria
