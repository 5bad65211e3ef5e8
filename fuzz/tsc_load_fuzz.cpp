// Fuzz target: a TSC document loaded from arbitrary bytes, then saved and loaded again.
#include "data/TTSCFile.h"

#include "platform/Files.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vsm;
    TTSCFile doc;
    try {
        doc.LoadFromText(DecodeText(data, size));
    } catch (const TSCError&) {
        if (!doc.KeyList.empty() || !doc.GroupList.empty()) std::abort();
        return 0;
    }
    for (const TTSCKeyPtr& key : doc.KeyList) {
        (void)doc.TryGetNumberKey(key->Path, key->Name, key->ValueCount - 1);
        (void)doc.GetKeyList(key->Path);
    }
    // Whatever loaded must save as text that loads again.
    std::string saved = doc.SavedText();
    if (saved.empty()) return 0;
    TTSCFile again;
    try {
        again.LoadFromText(saved);
    } catch (const TSCError& e) {
        std::fprintf(stderr, "saved text does not load back: %s\n%s\n", e.what(), saved.c_str());
        std::abort();
    }
    return 0;
}
