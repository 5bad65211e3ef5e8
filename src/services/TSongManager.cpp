// TSongManager: the song cache, the music handle TAudioStream and playMusicStream.
#include "services/TSongManager.h"

#include "data/DataFolders.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "services/OptionsSeam.h"
#include "services/Paths.h"
#include "services/Sound.h"

namespace vsm {

TSongManager songManager;

namespace {

bool IsFile(const std::string& path) {
    return !path.empty() && FileType(path) == FILETYPE_FILE;
}

// The file a cached name is loaded from: under bDir when it is there, else the name itself
// (a custom-art song's full path, or a file found at its own path), else under bDir.
std::string SongPath(const std::string& name) {
    const std::string bundled = bDir + name;
    if (IsFile(bundled)) return bundled;
    if (IsFile(name)) return name;
    return bundled;
}

} // namespace

MusicFilePtr TSongManager::findSong(const std::string& name) {
    for (const MusicFilePtr& mf : songsList)
        if (mf->name == name) return mf;
    return nullptr;
}

MusicFilePtr TSongManager::loadSong(const std::string& name, int flags) {
    if (MusicFilePtr cached = findSong(name)) return cached;
    auto mf = std::make_shared<TMusicFile>();
    mf->name = name;
    mf->s = LoadSound(SongPath(name), flags);
    mf->isLoaded = 1; // also after a failed load: it is not retried
    songsList.AddLast(mf);
    return mf;
}

MusicFilePtr TSongManager::playSong(const std::string& name, int flags, float volume) {
    MusicFilePtr mf = loadSong(name, flags);
    // A second start must not leave the first playback running where nothing can stop it.
    if (mf->c) StopChannel(mf->c);
    mf->c = playMusic(mf->s, nullptr, volume);
    return mf;
}

void TAudioStream::pause() {
    if (mf && mf->c) PauseChannel(mf->c);
}

void TAudioStream::stop() {
    if (mf && mf->c) StopChannel(mf->c);
}

void TAudioStream::free() {}

void TAudioStream::play() {
    if (!mf) return;
    if (mf->c)
        ResumeChannel(mf->c);
    else
        mf = songManager.playSong(mf->name, 1, 1.0f);
}

void TAudioStream::update() {}

void TAudioStream::setVolume(float v) {
    if (!mf) return;
    if (!mf->c) {
        mf = songManager.playSong(mf->name, 1, 1.0f);
        return;
    }
    // In single precision, so that every musicVol / 10 keeps its exact value.
    float tenths = v * 10.0f;
    int k = 0;
    if (tenths >= 1000.0f)
        k = 1000;
    else if (tenths > 0)
        k = static_cast<int>(tenths);
    SetChannelVolume(mf->c, static_cast<float>(k) / 10.0f);
}

AudioStreamPtr playMusicStream(const std::string& file, int loop, float volume) {
    std::string name;
    if (IsFile(file) || IsFile(bDir + file)) {
        name = file;
    } else {
        const std::string custom = myDocsFolder + "/custom-art/" + StripDir(file);
        if (!StripDir(file).empty() && IsFile(custom))
            name = custom;
        else
            name = "sfx/game-song-" + std::to_string(Rand(1, 7)) + ".ogg";
    }
    auto stream = std::make_shared<TAudioStream>();
    stream->mf = songManager.playSong(name, loop, volume);
    return stream;
}

void SetStreamVolume(const AudioStreamPtr& stream, float volume) {
    if (stream) stream->setVolume(volume);
}

int InitMaxModStream() {
    return 0;
}

} // namespace vsm
