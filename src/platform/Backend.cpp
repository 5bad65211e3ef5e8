// Backend: the one installed backend behind every platform call.
#include "Backend.h"

#include "Headless.h"
#include "audio/TSound.h"

namespace vsm {

namespace {
std::unique_ptr<Backend>& Installed() {
    static std::unique_ptr<Backend> backend;
    return backend;
}
} // namespace

Backend& CurrentBackend() {
    // The game never installs one itself before its first platform call; the real one is implied.
    if (!Installed()) UseRealBackend();
    return *Installed();
}

void InstallBackend(std::unique_ptr<Backend> backend) {
    // Channels of the old device must not outlive the backend that opened it.
    if (Installed()) CloseAudio();
    Installed() = std::move(backend);
}

bool BackendInstalled() {
    return Installed() != nullptr;
}

} // namespace vsm
