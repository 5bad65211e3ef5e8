// TSoundQ: effects delayed until a given clock time.
#include "services/TSoundQ.h"

#include "platform/System.h"
#include "services/Sound.h"

namespace vsm {

TList<TSoundQ> soundQueue;

void TSoundQ::Destroy() {
    soundQueue.Remove(this);
}

void TSoundQ::updateAll() {
    const int64_t now = MilliSecs64();
    soundQueue.ForEach([now](const std::shared_ptr<TSoundQ>& q) {
        if (q->timeStart < now) {
            playSound2(q->snd, nullptr, 0, 1.0f);
            q->Destroy();
        }
    });
}

std::shared_ptr<TSoundQ> TSoundQ::addSound(const SoundPtr& sound, int64_t timeStart) {
    auto q = std::make_shared<TSoundQ>();
    q->snd = sound;
    q->timeStart = timeStart;
    soundQueue.AddLast(q);
    return q;
}

} // namespace vsm
