// TourDriver: the step runner and the steps of the whole-game tour.
#include "game/TourDriver.h"

#include "board/TBlocksManager.h"
#include "board/TBoardManager.h"
#include "overlays/TOptionsWindow.h"
#include "overlays/TPopupManager.h"
#include "widgets/TAnimButton.h"
#include "platform/Input.h"
#include "services/GameFlags.h"
#include "BoardPlayer.h"
#include "PlacementSearch.h"
#include "ScreenInput.h"
#include "widgets/TButton.h"
#include "widgets/TContainer.h"
#include "widgets/TImageButton.h"

#include <algorithm>
#include <memory>

namespace vsm::test {

namespace {

// Frames a button must stand before it is clicked, so that it has taken the pointer's hover.
constexpr int SETTLE_FRAMES = 4;
using tools::ClickAt;
using tools::ClickOnButton;

bool Standing(const ButtonPtr& button) {
    return button && button->dim;
}

// The tour running now, for the steps that look at what was drawn.
const TourDriver* running = nullptr;

// A click that moves the game on where it waits for one: the OK of a popup that is showing,
// else a corner of the screen.
FrameInput MoveOnClick() {
    return tools::MoveOnClick([](const ImagePtr& image) { return running && running->Drawn(image); });
}

} // namespace

void TourDriver::Start(HeadlessBackendControl& control) {
    control_ = &control;
    running = this;
    control_->SetScript([this](int, FrameInput& in) { return Frame(in); });
}

bool TourDriver::Drawn(const ImagePtr& image) const {
    return image && std::find(drawnLastFrame_.begin(), drawnLastFrame_.end(), image) != drawnLastFrame_.end();
}

bool TourDriver::Wrote(const std::string& words) const {
    return std::any_of(writtenLastFrame_.begin(), writtenLastFrame_.end(),
                       [&](const std::string& text) { return text.find(words) != std::string::npos; });
}

bool TourDriver::Frame(FrameInput& in) {
    ++frames;
    // Only the frame just presented is kept: the logs would otherwise grow over the whole tour.
    drawnLastFrame_.clear();
    writtenLastFrame_.clear();
    for (const DrawCall& call : control_->DrawLog()) {
        if (call.image) drawnLastFrame_.push_back(call.image);
        if (call.op == "text") writtenLastFrame_.push_back(call.text);
    }
    if (onFrame) onFrame(control_->DrawLog(), steps_.empty() ? std::string("closing") : steps_.front().name);
    control_->ClearDrawLog();
    control_->ClearSoundLog();

    if (!failure.empty() || steps_.empty()) {
        // Nothing more to do: ask the game to close.
        in.terminate = true;
        return true;
    }
    TourStep& step = steps_.front();
    if (step.act(in)) {
        done.push_back(step.name);
        steps_.pop_front();
        stepFrames_ = 0;
    } else if (++stepFrames_ > step.maxFrames) {
        failure = "stuck at \"" + step.name + "\" for " + std::to_string(step.maxFrames) + " frames";
        in.terminate = true;
    }
    return true;
}

TourStep Wait(int frames) {
    auto left = std::make_shared<int>(frames);
    return {"wait " + std::to_string(frames), [left](FrameInput&) { return --*left <= 0; }, frames + 1};
}

TourStep WaitFor(std::string name, std::function<bool()> ready, int maxFrames) {
    return {std::move(name), [ready = std::move(ready)](FrameInput&) { return ready(); }, maxFrames};
}

TourStep Do(std::string name, std::function<void()> action) {
    return {std::move(name), [action = std::move(action)](FrameInput&) {
                action();
                return true;
            }};
}

TourStep Input(std::string name, FrameInput input) {
    return {std::move(name), [input = std::move(input)](FrameInput& in) {
                in = input;
                return true;
            }};
}

TourStep Menu(int state, int id) {
    auto stood = std::make_shared<int>(0);
    return {"menu " + std::to_string(state) + " button " + std::to_string(id),
            [state, id, stood](FrameInput& in) {
                ButtonPtr button = data.GetButton(id);
                if (optionsWindow.State != state || !Standing(button) || optionsWindow.alpha < 1.0f) {
                    *stood = 0;
                    return false;
                }
                if (++*stood < SETTLE_FRAMES) {
                    // Hover first, as a player's pointer would.
                    in.mouseX = static_cast<int>((button->dim->Left() + button->dim->Right()) / 2);
                    in.mouseY = static_cast<int>((button->dim->Top() + button->dim->Bottom()) / 2);
                    return false;
                }
                in = ClickOnButton(button);
                return true;
            }};
}

TourStep ClickWhenShown(std::string name, std::function<ButtonPtr()> find) {
    auto stood = std::make_shared<int>(0);
    return {std::move(name), [find = std::move(find), stood](FrameInput& in) {
                ButtonPtr button = find();
                if (!Standing(button)) {
                    *stood = 0;
                    return false;
                }
                if (++*stood < SETTLE_FRAMES) {
                    in.mouseX = static_cast<int>((button->dim->Left() + button->dim->Right()) / 2);
                    in.mouseY = static_cast<int>((button->dim->Top() + button->dim->Bottom()) / 2);
                    return false;
                }
                in = ClickOnButton(button);
                in.held[1] = true;
                return true;
            }};
}

TourStep ClickUntil(std::string name, std::function<bool()> until, bool escape, int maxFrames) {
    auto frame = std::make_shared<int>(0);
    return {std::move(name),
            [until = std::move(until), escape, frame](FrameInput& in) {
                if (until()) return true;
                const int f = (*frame)++;
                if (f % 12 == 6) in = MoveOnClick();
                if (escape && f % 12 == 0) in.keysHit = {KEY_ESCAPE};
                return false;
            },
            maxFrames};
}

TourStep PressUntil(std::string name, int key, std::function<bool()> until, int maxFrames) {
    auto frame = std::make_shared<int>(0);
    return {std::move(name),
            [key, until = std::move(until), frame](FrameInput& in) {
                if (until()) return true;
                if ((*frame)++ % 30 == 0) in.keysHit = {key};
                return false;
            },
            maxFrames};
}

TourStep PauseAndChoose(int state, int id, int maxFrames) {
    auto frame = std::make_shared<int>(0);
    auto stood = std::make_shared<int>(0);
    return {"pause menu " + std::to_string(state) + " button " + std::to_string(id),
            [state, id, frame, stood](FrameInput& in) {
                ButtonPtr button = data.GetButton(id);
                if (optionsWindow.State == state && Standing(button)) {
                    if (optionsWindow.alpha < 1.0f || ++*stood < SETTLE_FRAMES) return false;
                    in = ClickOnButton(button);
                    return true;
                }
                *stood = 0;
                const int f = (*frame)++;
                if (f % 30 == 0) in.keysHit = {KEY_ESCAPE};
                if (f % 30 == 15) in = MoveOnClick();
                return false;
            },
            maxFrames};
}

TourStep PlacePieces(std::string name, bool runsFirst, std::function<bool(int placed)> enough,
                     int maxFrames) {
    struct State {
        int placed = 0;
        int cooldown = 0;
        int idle = 0;
        bool aimed = false;
        tools::PointerCell aim;
        const TBlock* aimedAt = nullptr;
    };
    auto s = std::make_shared<State>();
    return {std::move(name),
            [runsFirst, enough = std::move(enough), s](FrameInput& in) {
                if (enough(s->placed)) return true;
                // A pause menu opened by a key meant for the screen before: resume.
                if (ButtonPtr resume = data.GetButton(BUTTON_RESUME);
                    Standing(resume) && optionsWindow.alpha >= 1.0f) {
                    if (++s->idle % 10 == 0) in = ClickOnButton(resume);
                    return false;
                }
                if (s->cooldown > 0) {
                    --s->cooldown;
                    return false;
                }
                const bool ready = board.wjazd < 0 && board.alpha >= 1.0f && blocks.actualBlock &&
                                   blocks.blockFormed == 1 && blocks.newDir == blocks.direction;
                if (!ready) {
                    s->aimed = false;
                    // Popups and summaries wait for a click.
                    if (++s->idle % 20 == 0) in = MoveOnClick();
                    return false;
                }
                s->idle = 0;
                const TBlock& piece = *blocks.actualBlock;
                if (s->aimed && s->aimedAt == &piece) {
                    in = ClickAt(s->aim.x, s->aim.y);
                    s->aimed = false;
                    ++s->placed;
                    s->cooldown = 6;
                    return false;
                }
                std::optional<tools::Placement> p;
                if (runsFirst) p = tools::FindRunPlacement(board, piece);
                if (!p) p = tools::FindAnyPlacement(board, piece);
                if (!p) return false; // the board is full: the game is about to end
                if (p->direction != blocks.direction) {
                    in.wheel = -1; // a wheel step down turns the piece one step on
                    s->cooldown = 2;
                    return false;
                }
                s->aim = tools::PointerFor(board, *p);
                s->aimedAt = &piece;
                s->aimed = true;
                in.mouseX = s->aim.x;
                in.mouseY = s->aim.y;
                return false;
            },
            maxFrames};
}

TourStep PlayLevel(std::string name, int thinkFrames, std::function<bool()> until, int maxFrames) {
    auto player = std::make_shared<tools::BoardPlayer>(thinkFrames);
    auto idle = std::make_shared<int>(0);
    return {std::move(name),
            [player, idle, until = std::move(until)](FrameInput& in) {
                if (until()) return true;
                // A pause menu opened by a key meant for the screen before: resume.
                if (ButtonPtr resume = data.GetButton(BUTTON_RESUME);
                    Standing(resume) && optionsWindow.alpha >= 1.0f) {
                    if (++*idle % 10 == 0) in = ClickOnButton(resume);
                    return false;
                }
                const ButtonPtr retry = popupManager.button1;
                if (board.gameOver != 0 && Standing(retry)) {
                    if (++*idle % 15 == 0) in = ClickOnButton(retry);
                    return false;
                }
                if (popUpIsOn == 0 && player->Frame(in)) {
                    *idle = 0;
                    return false;
                }
                // Popups and the summary wait for a click.
                if (++*idle % 20 == 0) in = MoveOnClick();
                return false;
            },
            maxFrames};
}

FrameInput Typed(const std::string& text) {
    FrameInput in;
    in.typed = text;
    return in;
}

FrameInput KeyPress(int key) {
    FrameInput in;
    in.keysHit = {key};
    return in;
}

} // namespace vsm::test
