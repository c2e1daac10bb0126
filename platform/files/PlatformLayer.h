// What each platform's half of the file layer (posix/files, win32/files) provides to the shared
// functions of Files.h. Paths are native and already checked; failures are thrown as TFailure.
#pragma once

#include <string>

#include "platform/Files.h"

namespace wdx::filelayer {

std::string ReadRegular(const std::string& nativePath);
// Opens, locks and reads the file for a read-modify-write.
TFileUpdate::TStatePtr LockForUpdate(const std::string& nativePath, std::string& bytes);
void ReplaceRegular(const std::string& nativePath, const TContent& content);
void ReplaceLocked(TFileUpdate::TState& locked, const TContent& content);
// Replaces or creates the file at `nativePath` with the protection of the locked file.
void ReplaceAsBackupOf(const TFileUpdate::TState& original, const std::string& nativePath,
                       const TContent& content);

}  // namespace wdx::filelayer
