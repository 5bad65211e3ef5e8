// THiscoresScreen: the framed hiscores view that types out the best entries of the quest, endless
// and time-attack tables one after another; THiscoresText is one typed row.
#include "profiles/THiscoresScreen.h"

#include "platform/System.h"
#include "platform/Utf8.h"
#include "services/Paths.h"
#include "services/TSpark.h"
#include "services/TextHelpers.h"
#include "widgets/SharedAssets.h"
#include "widgets/TContainer.h"

namespace vsm {

int THiscoresText::offsetX1 = 102;
int THiscoresText::offsetX2 = 172;
int THiscoresText::offsetX3 = 672;
int THiscoresText::offsetY = 100;
int THiscoresText::spaceY = 45;

namespace {

TextPtr RowText(const std::string& text, float x, float y, const BitmapFontPtr& font) {
    return CreateText(text, CreateDim(x, y, 0, 0, 0, 1, 1, 0), font, 1.0f, 0, 0, 0);
}

int Length(const std::string& s) {
    return static_cast<int>(DecodeUtf8(s).size());
}

} // namespace

HiscoresTextPtr THiscoresText::Create(int rank, const std::string& name, int score,
                                      const BitmapFontPtr& font1, const BitmapFontPtr& font2, int row) {
    auto t = std::make_shared<THiscoresText>();
    t->str1 = std::to_string(rank);
    t->str2 = name;
    t->str3 = std::to_string(score);
    t->Timer = MilliSecs64();
    const float y = static_cast<float>(offsetY + spaceY * row);
    t->text1 = RowText("", static_cast<float>(offsetX1), y, font1);
    t->text2 = RowText("", static_cast<float>(offsetX2), y, font2);
    t->text3 = RowText(t->str3, static_cast<float>(offsetX3), y, font1);
    // Anchored by the full score's width, the digits grow from their final left edge.
    t->text3->dim->x = static_cast<float>(offsetX3) - t->text3->Width();
    t->text3->text.clear();
    return t;
}

int THiscoresText::Update() {
    const int l = Length(str1), m = Length(str2), n = Length(str3);
    if (counter > l + m + n) return 1;
    const int64_t now = MilliSecs64();
    if (now - Timer <= Speed) return 0;
    Timer = now;
    ++counter;
    if (counter <= l) {
        text1->text = Pos(str1, 1, counter);
        Sparks(*text1, false);
    } else if (counter <= l + m) {
        text2->text = Pos(str2, 1, counter - l);
        Sparks(*text2, false);
    } else if (counter <= l + m + n) {
        text3->text = Pos(str3, 1, counter - l - m);
        Sparks(*text3, true);
    }
    return 0;
}

void THiscoresText::Sparks(TText& text, bool rise) {
    for (int i = 0; i < 7; ++i) {
        const int x = static_cast<int>(text.dim->x + text.Width() - 15 + Rand(-5, 5));
        const int y = static_cast<int>(text.dim->y + Rand(-10, 10));
        SparkPtr s = TSpark::Create(SparkImage(Rand(1, 3)), x, y, static_cast<float>(Rnd(0.5, 1.0)),
                                    Rand(30, 70), 255, 200, 100, 1, 0);
        const float vx = static_cast<float>(Rnd(-0.1, 0.1));
        s->setVelocity(vx, static_cast<float>(rise ? Rnd(-0.3, 0) : Rnd(0, 0.2)));
    }
}

int THiscoresText::Draw() {
    text1->Draw();
    text2->Draw();
    text3->Draw();
    return 0;
}

THiscoresScreen::THiscoresScreen() {
    font2 = fonts[1];
    const char* const titles[3] = {"high scores for quest", "high scores for endless",
                                   "high scores for time attack"};
    for (int i = 0; i < 3; ++i) {
        title[i] = CreateText(titles[i], CreateDim(0, 30, 0, 0, 0, 1, 1, 0), font2, 1.0f, 0, 0, 0);
        title[i]->dim->x = 400 - title[i]->Width() / 2;
    }
    Frame = CreateImageFrame(CreateDim(102, 121, 570, 406, 0, 1, 1, 0), 1, 1.0f, 0);
    const char* const pieces[9] = {"dialog-lg", "dialog-gora", "dialog-pg", "dialog-lewo",  "dialog-prawo",
                                   "dialog-ld", "dialog-dol",  "dialog-pd", "dialog-srodek"};
    for (int i = 0; i < 9; ++i)
        Frame->AddImage(bDir + "gfx\\ramka\\" + pieces[i] + ".png", i);
    THiscoresText::offsetX1 = static_cast<int>(Frame->dim->Left());
    THiscoresText::offsetX2 = THiscoresText::offsetX1 + 70;
    THiscoresText::offsetX3 = static_cast<int>(Frame->dim->Right());
}

int THiscoresScreen::Load(const std::vector<TScorePtr>& scores) {
    List.clear();
    index = 0;
    Timer = MilliSecs64();
    for (const TScorePtr& s : scores) {
        if (!s) continue;
        const int row = static_cast<int>(List.size());
        List.push_back(THiscoresText::Create(row + 1, s->name, s->score, font2, font2, row));
    }
    return 0;
}

int THiscoresScreen::Update() {
    int last = 0;
    for (int i = 0; i <= index && i < static_cast<int>(List.size()); ++i)
        last = List[static_cast<size_t>(i)]->Update();
    if (last != 0) ++index;
    if (MilliSecs64() - Timer > 6000) return NextStage();
    return 0;
}

int THiscoresScreen::Draw() {
    Frame->Draw();
    for (const HiscoresTextPtr& row : List)
        row->Draw();
    title[static_cast<size_t>(stage - 1)]->Draw();
    // The same small capitals as the summaries' "Click to continue".
    DrawShadowedText("Click anywhere to continue", 400, 570, data.GetTTFont(DATA_FONT_CAPITALS_16), 1, 255,
                     255, 255);
    return 0;
}

int THiscoresScreen::NextStage() {
    int wrapped = 0;
    if (++stage > 3) {
        stage = 1;
        wrapped = 1;
    }
    Load(hiscore.GetScores(stage, 10));
    return wrapped;
}

} // namespace vsm
