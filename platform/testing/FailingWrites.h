#pragma once
// Saves that meet a failing disk, for tests: the body runs in a forked child, where a file size
// limit or a small tmpfs of its own cannot touch the test process. The body returns what the test
// wants to check (an error text, the bytes of a file afterwards); those values come back through a
// pipe. The body must not use test assertions: they would be recorded in the child and lost.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

using TChildValues = std::vector<std::string>;

// Runs Body with files limited to Limit bytes; SIGXFSZ is ignored, so a write past the limit fails
// with EFBIG instead of ending the child. Empty values when the child did not finish normally.
TChildValues RunWithFileSizeLimit(uint64_t Limit, const std::function<TChildValues()>& Body);

// Runs Body with an empty tmpfs of SizeBytes mounted over the existing folder Folder, in a mount
// namespace of the child's own (a user namespace too when not privileged). std::nullopt when the
// system does not permit that mount; the test then skips.
std::optional<TChildValues> RunOnSmallTmpfs(const std::string& Folder, uint64_t SizeBytes,
                                            const std::function<TChildValues()>& Body);

// Fills the file system holding Folder with a file of its own until a write fails; true when the
// disk was full at the end.
bool FillFileSystem(const std::string& Folder);

// Text of an exception escaping Body ("" when none escaped).
std::string ErrorOf(const std::function<void()>& Body);
