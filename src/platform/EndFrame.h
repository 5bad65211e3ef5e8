// EndFrame: the end of a screen loop's frame — the frame presented and the system polled.
#pragma once

namespace vsm {

// Whether a frame's system poll comes after its flip or before it.
//
// Flip releases a mouse button whose press and release both arrived since the previous flip (so
// a quick click still reads as held for one frame) and then pumps the events that are waiting.
// Polling before the flip pumps what arrived while the frame was being built: a quick click made
// in that time is released by this very flip, so the next frame sees its hit but never the button
// held. Polling after the flip leaves Flip's own pump in charge and only gathers what came in
// between, so the next frame sees that click held. Loops that act on a held button rather than on
// hits therefore keep the order they were written and tested with. On the headless backend a poll
// only feeds the streamed sounds, so there the order changes nothing a frame script can see.
enum class PollOrder {
    AfterFlip,  // present, then poll
    BeforeFlip, // poll, then present
};

// Presents the frame drawn so far (paced to 60 a second) and pumps system events, in the order
// given. Cannot fail; the headless backend throws HeadlessOverrun past the end of its script.
void EndFrame(PollOrder order = PollOrder::AfterFlip);

} // namespace vsm
