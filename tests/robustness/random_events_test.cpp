// Long random sequences of user events on the whole program. After every
// event: no exception, one marked tab, the title and colour of the mode, and
// no entry changed except by a registration, a confirmed deletion or a
// completed move.
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "harness.h"
#include "settings/store_layout.h"

namespace {

using namespace testing_support;
using settings::EntryColumns;

const std::string T = "ヒヨコらっぱーVer1.96";

struct Row {
    std::string exe, name, path;
    bool operator==(const Row&) const = default;
};
Row rowOf(const EntryColumns& t, int i) {
    return {t.Exe[i], t.APName[i], t.APPath[i]};
}

// How the table may change in one event.
std::string explainChange(const EntryColumns& before, const EntryColumns& after,
                          const Row& dialogTexts, bool deletionConfirmed) {
    std::vector<int> changed;
    for (int i = 0; i < 100; ++i) {
        if (rowOf(before, i) != rowOf(after, i)) changed.push_back(i);
    }
    if (changed.empty()) return "";
    if (changed.size() == 1) {
        Row now = rowOf(after, changed[0]);
        if (now == dialogTexts) return "";
        if (deletionConfirmed && now == Row{"", "<<空き家>>", ""}) return "";
    }
    if (changed.size() == 2 && rowOf(after, changed[0]) == rowOf(before, changed[1]) &&
        rowOf(after, changed[1]) == rowOf(before, changed[0])) {
        return "";
    }
    std::set<int> boxes;
    for (int i : changed) boxes.insert(i / 10);
    if (boxes.size() == 2) {
        int a = *boxes.begin(), b = *boxes.rbegin();
        bool swapped = true;
        for (int s = 0; s < 10; ++s) {
            swapped = swapped && rowOf(after, a * 10 + s) == rowOf(before, b * 10 + s) &&
                      rowOf(after, b * 10 + s) == rowOf(before, a * 10 + s);
        }
        if (swapped) return "";
    }
    return "entries changed in a way no action allows: " + std::to_string(changed.size()) + " rows";
}

class RandomUser {
  public:
    explicit RandomUser(unsigned seed) : rng_(seed) {
        for (int i = 0; i < 100; ++i) {
            if (pick(5) >= 2) continue;
            const std::string n = std::to_string(i);
            store_->set("User Setting", settings::store::entryKey("Exe", i), "/bin/e" + n);
            store_->set("User Setting", settings::store::entryKey("APName", i), "エントリ " + n);
            store_->set("User Setting", settings::store::entryKey("APPath", i), "/home/" + n);
        }
        restart();
    }

    void run(int events) {
        for (int n = 0; n < events; ++n) {
            const EntryColumns before = program_->spm().EntryTable;
            const Row dialogTexts = currentDialogTexts();
            const std::size_t boxesBefore = program_->desktop.messageBoxes.size();
            bool ended = false;
            try {
                act();
            } catch (const ProcessEnded&) {
                ended = true;
            }
            const EntryColumns after = program_->spm().EntryTable;
            if (!(before == program_->spm().EntryTable)) ++tableChanges;
            if (program_->ranch().Visible()) ++panelShown;
            if (program_->toro().Visible()) ++dialogShown;
            if (program_->spm().EditState != 0 || !program_->ranch().Sette.Enabled() ||
                !program_->ranch().Sette.Visible())
                ++inMode;
            for (std::size_t i = boxesBefore; i < program_->desktop.messageBoxes.size(); ++i) {
                if (program_->desktop.messageBoxes[i].text.find("の登録を殺りますよん？") !=
                    std::string::npos)
                    ++deleteQuestions;
            }
            std::string why =
                explainChange(before, after, dialogTexts, deletionConfirmed(boxesBefore));
            ASSERT_EQ(why, "") << "event " << n << ": " << lastAction_;
            if (ended) {
                checkStoreHolds(after);
                restart();
                ASSERT_EQ(program_->spm().EntryTable, after) << "entries survive a restart";
                ++restarts;
            } else {
                checkInvariants(n);
            }
        }
    }

    int restarts = 0;
    int tableChanges = 0;
    int deleteQuestions = 0;
    int panelShown = 0, dialogShown = 0, inMode = 0;

  private:
    void restart() {
        program_.reset();
        program_ = std::make_unique<Program>(store_, lock_);
        program_->start(false);
        panelSeen_ = false;
    }

    Row currentDialogTexts() {
        auto& toro = program_->toro();
        return {toro.ComLine.Text(), toro.Title.Text(), toro.EXEPath.Text()};
    }

    // Whether a delete question shown during the event was answered Yes.
    bool deletionConfirmed(std::size_t boxesBefore) {
        const auto& shown = program_->desktop.messageBoxes;
        for (std::size_t i = boxesBefore; i < shown.size(); ++i) {
            const std::size_t k = i - boxesBefore;
            const int answer = k < answers_.size() ? answers_[k] : platform::mb::kAnswerYes;
            if (shown[i].text.find("の登録を殺りますよん？") != std::string::npos &&
                answer == platform::mb::kAnswerYes) {
                return true;
            }
        }
        return false;
    }

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

    // Mostly the panel's slots and tabs, where the entries are changed.
    forms::Control* randomControl() {
        auto& ranch = program_->ranch();
        if (ranch.Visible() && ranch.inLauncherView() && pick(3) != 0) {
            return pick(3) == 0 ? static_cast<forms::Control*>(&ranch.Command2[pick(10)])
                                : static_cast<forms::Control*>(&ranch.Command1[pick(10)]);
        }
        std::vector<forms::Control*> shown;
        for (forms::Form* form : program_->app.runtime().loadedForms()) {
            if (!form->Visible()) continue;
            for (const auto& c : form->controls()) {
                if (c->isShown() && c->kind() != forms::ControlKind::Timer &&
                    c->kind() != forms::ControlKind::Line) {
                    shown.push_back(c.get());
                }
            }
        }
        return shown.empty()
                   ? nullptr
                   : shown[static_cast<std::size_t>(pick(static_cast<int>(shown.size())))];
    }

    void queueAnswers() {
        auto& d = program_->desktop;
        d.messageBoxAnswers.clear();
        for (int i = 0; i < 3; ++i) {
            d.messageBoxAnswers.push_back(pick(3) == 0 ? platform::mb::kAnswerYes
                                                       : platform::mb::kAnswerNo);
        }
        answers_.assign(d.messageBoxAnswers.begin(), d.messageBoxAnswers.end());
        d.openFileAnswers = {
            pick(2) ? std::optional<platform::OpenFileResult>{}
                    : platform::OpenFileResult{
                          "/opt/ツール " + std::to_string(pick(50)) + "/run.sh", "run.sh"}};
        d.colorAnswers = {pick(2) ? std::optional<forms::Color>{}
                                  : forms::rgb(pick(256), pick(256), pick(256))};
    }

    void act() {
        queueAnswers();
        auto& d = program_->desktop;
        if (!program_->ranch().Visible() && !program_->toro().Visible() && pick(5) < 3) {
            lastAction_ = "wait, then open the panel";
            d.advance(3400);
            program_->touchCallPoint();
            return;
        }
        const int kind = pick(100);
        if (kind < 10) {
            lastAction_ = "pointer to the call point";
            program_->touchCallPoint();
        } else if (kind < 50) {
            forms::Control* c = randomControl();
            if (!c) return;
            lastAction_ = "hover " + c->qualifiedName();
            d.hoverControl(*c);
        } else if (kind < 75) {
            forms::Control* c = randomControl();
            if (!c) return;
            int button = pick(5) == 0 ? forms::kRightButton : forms::kLeftButton;
            lastAction_ = "click " + std::to_string(button) + " on " + c->qualifiedName();
            d.clickControl(*c, button);
        } else if (kind < 89) {
            const int keys[] = {'M', 'D', 'P', 27, 13, 'X', 'A', 16};
            int key = keys[pick(8)];
            lastAction_ = "key " + std::to_string(key);
            d.pressKey(key, pick(3) == 0 ? forms::kShiftMask : 0);
        } else if (kind < 93) {
            auto& toro = program_->toro();
            if (!toro.Visible()) return;
            lastAction_ = "type in the dialog";
            forms::Form::NoEcho guard(toro);
            toro.Title.setText("題 " + std::to_string(pick(1000)));
            toro.ComLine.setText(pick(3) ? "/bin/prog" + std::to_string(pick(20)) : "");
        } else if (kind < 97) {
            lastAction_ = "time passes";
            d.advance(pick(4000));
        } else if (kind < 99) {
            lastAction_ = "pointer anywhere";
            d.moveMouse(pick(1280), pick(960));
        } else {
            lastAction_ = "click the call point";
            program_->touchCallPoint();
            d.click(pick(2) ? forms::kLeftButton : forms::kRightButton);
        }
    }

    void checkInvariants(int n) {
        auto& ranch = program_->ranch();
        if (ranch.Visible()) panelSeen_ = true;
        if (!panelSeen_ || !ranch.inLauncherView()) return;
        int marked = 0;
        for (int b = 0; b < 10; ++b) {
            const auto& f = ranch.Command2[b].font();
            if (f.Bold && f.Size == 20)
                ++marked;
            else
                ASSERT_TRUE(!f.Bold && f.Size == 9) << "event " << n << ": tab " << b;
        }
        ASSERT_EQ(marked, 1) << "event " << n << ": " << lastAction_;
        ASSERT_TRUE(ranch.Command2[program_->spm().CurrentBox].font().Bold);
        checkModeDisplay(n);
    }

    void checkModeDisplay(int n) {
        auto& ranch = program_->ranch();
        const auto& spm = program_->spm();
        const std::string& title = ranch.Caption();
        auto colour = ranch.Stetus.BackColor();
        if (!ranch.Sette.Enabled()) {
            ASSERT_EQ(title, T + " - 移動モード発動中！") << n;
            ASSERT_EQ(colour, forms::rgb(0, 0, 127)) << n;
        } else if (!ranch.Sette.Visible()) {
            ASSERT_EQ(title, T + " - " + spm.EntryTable.APName[spm.EditState] + "を移動中") << n;
            ASSERT_EQ(colour, forms::rgb(0, 0, 127)) << n;
        } else if (spm.EditState == -1) {
            ASSERT_EQ(title, T + " - 削除モード発動中！") << n;
            ASSERT_EQ(colour, forms::rgb(127, 0, 0)) << n;
        } else if (spm.EditState == -2) {
            ASSERT_EQ(title, T + " - ページ移動モード発動中！") << n;
            ASSERT_EQ(colour, forms::rgb(127, 0, 127)) << n;
        } else if (spm.EditState >= 100) {
            ASSERT_EQ(title,
                      T + " - " + ranch.Command2[spm.EditState / 100 - 1].Caption() + "を移動中")
                << n;
        } else {
            ASSERT_EQ(title, T) << n << ": " << lastAction_;
        }
    }

    void checkStoreHolds(const EntryColumns& table) {
        for (int i = 0; i < 100; ++i) {
            ASSERT_EQ(store_->get("User Setting", settings::store::entryKey("Exe", i)),
                      table.Exe[i]);
        }
    }

    std::mt19937 rng_;
    std::shared_ptr<Store> store_ = std::make_shared<Store>();
    std::shared_ptr<platform::headless::InstanceLock> lock_ =
        std::make_shared<platform::headless::InstanceLock>();
    std::unique_ptr<Program> program_;
    bool panelSeen_ = false;
    std::string lastAction_;
    std::vector<int> answers_;  // queued for the current event
};

TEST(RandomEvents, InvariantsHoldOverLongRandomSessions) {
    int restarts = 0;
    for (unsigned seed : {1u, 7u, 42u, 2024u}) {
        RandomUser user(seed);
        user.run(3000);
        if (HasFatalFailure()) return;
        restarts += user.restarts;
        std::printf(
            "seed %u: %d restarts, %d table changes, %d delete questions, panel %d dialog %d mode "
            "%d\n",
            seed, user.restarts, user.tableChanges, user.deleteQuestions, user.panelShown,
            user.dialogShown, user.inMode);
    }
    RecordProperty("restarts", restarts);
    EXPECT_GT(restarts, 0) << "the sessions should also end and restart the program";
}

}  // namespace
