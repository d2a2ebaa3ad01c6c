#pragma once
// The read-only resource tree: the user's overrides first, then the resources
// shipped beside the program.

#include <string>
#include <vector>

// The resource locations in search order, only those that exist on disk:
// `userResources`; then "resources" and "resources.zip" in `basePath` (which
// ends in a separator; empty when the executable's folder is unknown); and when
// neither of those exists, "resources" and "resources.zip" in the working folder.
std::vector<std::string> FindResourceLocations(const std::string& userResources,
                                               const std::string& basePath);

// Mounts the resource locations for this user and executable, each appended to
// PhysicsFS's search path. Call once, after PHYSFS_init. Nothing found is not an
// error here: the first font that cannot be opened reports it.
void SetUpResourceSearchPath();
