// SoundDecoder: vorbisfile over a memory reader, so sounds stay compressed until they play.
#include "SoundDecoder.h"

#include "TSound.h"

#define OV_EXCLUDE_STATIC_CALLBACKS
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace vsm {

namespace {

struct MemoryReader {
    const uint8_t* data = nullptr;
    size_t size = 0;
    size_t pos = 0;
};

size_t ReadMem(void* ptr, size_t size, size_t count, void* source) {
    auto* r = static_cast<MemoryReader*>(source);
    if (size == 0) return 0;
    size_t items = std::min(count, (r->size - r->pos) / size);
    std::memcpy(ptr, r->data + r->pos, items * size);
    r->pos += items * size;
    return items;
}

int SeekMem(void* source, ogg_int64_t offset, int whence) {
    auto* r = static_cast<MemoryReader*>(source);
    ogg_int64_t base = 0;
    if (whence == SEEK_CUR)
        base = static_cast<ogg_int64_t>(r->pos);
    else if (whence == SEEK_END)
        base = static_cast<ogg_int64_t>(r->size);
    else if (whence != SEEK_SET)
        return -1;
    ogg_int64_t to = base + offset;
    if (to < 0 || to > static_cast<ogg_int64_t>(r->size)) return -1;
    r->pos = static_cast<size_t>(to);
    return 0;
}

long TellMem(void* source) {
    return static_cast<long>(static_cast<MemoryReader*>(source)->pos);
}

const ov_callbacks kMemoryCallbacks = {ReadMem, SeekMem, nullptr, TellMem};

// An open vorbisfile stream over a reader; the reader must stay where it is while open.
struct OggStream {
    MemoryReader reader;
    OggVorbis_File file{};
    bool open = false;

    bool Open(const std::vector<uint8_t>& bytes) {
        reader = {bytes.data(), bytes.size(), 0};
        open = ov_open_callbacks(&reader, &file, nullptr, 0, kMemoryCallbacks) == 0;
        return open;
    }
    ~OggStream() {
        if (open) ov_clear(&file);
    }
};

} // namespace

bool ProbeOgg(const std::vector<uint8_t>& bytes, OggInfo& info) {
    OggStream s;
    if (!s.Open(bytes)) return false;
    vorbis_info* vi = ov_info(&s.file, -1);
    if (!vi || vi->channels < 1 || vi->channels > 2 || vi->rate <= 0) return false;
    info.channels = vi->channels;
    info.rate = static_cast<int>(vi->rate);
    ogg_int64_t frames = ov_pcm_total(&s.file, -1);
    info.durationMs = frames > 0 ? static_cast<double>(frames) * 1000.0 / static_cast<double>(vi->rate) : 0;
    return true;
}

struct SoundDecoder::Impl {
    std::shared_ptr<const TSound> sound; // owns the bytes the stream reads
    OggStream stream;
    int channels = 0;
    int rate = 0;
};

SoundDecoder::SoundDecoder(std::shared_ptr<const TSound> sound) : impl_(std::make_unique<Impl>()) {
    impl_->sound = std::move(sound);
    if (!impl_->sound || !impl_->stream.Open(impl_->sound->bytes)) return;
    vorbis_info* vi = ov_info(&impl_->stream.file, -1);
    if (!vi || vi->channels < 1 || vi->channels > 2) {
        ov_clear(&impl_->stream.file);
        impl_->stream.open = false;
        return;
    }
    impl_->channels = vi->channels;
    impl_->rate = static_cast<int>(vi->rate);
}

SoundDecoder::~SoundDecoder() = default;

bool SoundDecoder::Ok() const {
    return impl_->stream.open;
}
int SoundDecoder::Channels() const {
    return impl_->channels;
}
int SoundDecoder::Rate() const {
    return impl_->rate;
}

int SoundDecoder::Read(char* out, int maxBytes, bool loop) {
    if (!Ok()) return 0;
    int done = 0;
    bool rewoundEmpty = false; // guards against a stream that yields nothing even from its start
    while (done < maxBytes) {
        int section = 0;
        long n = ov_read(&impl_->stream.file, out + done, maxBytes - done, 0, 2, 1, &section);
        if (n == OV_HOLE) continue; // a gap in the data; the next read goes on after it
        if (n < 0) break;
        if (n == 0) {
            if (!loop || rewoundEmpty || ov_pcm_seek(&impl_->stream.file, 0) != 0) break;
            rewoundEmpty = true;
            continue;
        }
        rewoundEmpty = false;
        done += static_cast<int>(n);
    }
    return done;
}

} // namespace vsm
