// Paths: the resources folder bDir from which every asset path is formed.
#pragma once

#include <string>

namespace vsm {

// The resources folder, ending in "/"; every asset path is bDir + "gfx/...", "sfx/..." etc.
extern std::string bDir;

// Returns the resources folder, ending in "/": $VSM_RESOURCES when set, else the "resources"
// folder beside the executable. A folder that does not exist is named in one line on standard
// error (once for each folder).
std::string ResourcesFolder();
// Returns the path of file in the resources folder, inside the subfolder folder when that is
// not empty; ResourcesFolder() + folder + "/" + file.
std::string GetBundleResourceURL(const std::string& file, const std::string& folder);
// The application-bundle form of the rule, from the executable's path appFile: the path up to
// and including the "." of the first ".debug.app/" (else of the first ".app/"; else nothing),
// then "app/Contents/Resources/", then folder + "/" when folder is not empty, then file.
std::string BundleResourceURL(const std::string& appFile, const std::string& file, const std::string& folder);

} // namespace vsm
