// OptionsDocument: the options document "options.tsc" in the per-user data folder, which keeps
// `options` and the last player between runs.
#pragma once

#include <string>

namespace vsm {

// myDocsFolder + "/data/options.tsc"; "" while there is no per-user folder.
std::string OptionsPath();

// Reads the document into `options` (creating it with the defaults first when missing) and,
// while profiles are listed, selects the one named by "lastProfile". A document that is empty,
// unreadable or not valid TSC is moved aside as "options.tsc.damaged" with one line on standard
// output, and the defaults are written and used. Without a per-user folder the defaults are
// used and nothing is written. Returns 0.
int LoadOptions();
// Writes the document from `options`, the sequencer's position and the selected player. Returns
// 0, or -1 when it could not be written (one line on standard error; the old file stays) or there
// is no per-user folder.
int SaveOptionsOnly();
// Writes the default document (full screen, music 5, sound 7, position -1, player "korvela")
// without touching `options`. Returns 0, or -1 when it could not be written.
int CreateOptionsFile();

// The volume rule of the document: a value strictly between 0.01 and 1 is an old 0..1 volume
// and becomes v * 10 truncated; any other value is truncated as it is (no clamping; a value
// that is not a number reads 0).
int VolumeFromDocument(float v);

} // namespace vsm
