// Fuzz target: arbitrary bytes as an archive (directory, entry and packed passes) and as entry data.
#include "data/BBArchive.h"

#include "platform/Headless.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vsm;
    // Loads report faulty texts through notifications; the headless backend only logs them.
    static HeadlessBackendControl& control = UseHeadlessBackend();
    control.notifications.clear();
    std::vector<uint8_t> out;
    std::string why;
    UnpackBBEntry(data, size, out, &why);
    TTSCFilePtr doc = CreateTSCFile();
    LoadTSCFileBBFromMemory(doc, data, size, "doc.tsc");
    return 0;
}
