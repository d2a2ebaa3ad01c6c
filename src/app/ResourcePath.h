#pragma once
// The read-only resource tree: the user's overrides first, then the resources
// shipped beside the program.

#include <string>
#include <vector>

// Where the shipped resources may lie for a program in `basePath` (which ends
// in a separator), in search order: the installed tree "../share/tessellon"
// beside "bin/" first, then the "resources" folder and "resources.zip" that the
// build puts beside the executable. Whether they exist is not checked.
std::vector<std::string> ShippedResourceCandidates(const std::string& basePath);

// The resource locations in search order, only those that exist on disk:
// `userResources`; then the shipped candidates for `basePath` (empty when the
// executable's folder is unknown); and when none of those exists, "resources"
// and "resources.zip" in the working folder.
std::vector<std::string> FindResourceLocations(const std::string& userResources,
                                               const std::string& basePath);

// Mounts the resource locations for this user and executable, each appended to
// PhysicsFS's search path. Call once, after PHYSFS_init. Nothing found is not an
// error here: the first font that cannot be opened reports it.
void SetUpResourceSearchPath();
