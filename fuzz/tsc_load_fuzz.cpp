// Fuzz target: a TSC document loaded from arbitrary bytes, then saved and loaded again.
#include "data/TTSCFile.h"

#include "data/TTSCLexer.h"
#include "platform/Files.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vsm;
    TTSCFile doc;
    const std::string text = DecodeText(data, size);
    try {
        doc.LoadFromText(text);
    } catch (const TSCError& e) {
        if (!doc.KeyList.empty() || !doc.GroupList.empty()) std::abort();
        // A text the lexer refuses fails its load with the lexer's own first error.
        try {
            TTSCLexer().LexText(text);
        } catch (const TSCError& lexed) {
            if (std::string(lexed.what()) != e.what()) {
                std::fprintf(stderr, "load: %s\nlexer: %s\n", e.what(), lexed.what());
                std::abort();
            }
        }
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
