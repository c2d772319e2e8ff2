// Headless services: dialogs with scripted answers, the shell, time, the
// instance lock and the end of the process.
#include <algorithm>

#include "forms/numeric.h"
#include "platform/headless/headless_platform.h"

namespace platform::headless {

HeadlessPlatform::HeadlessPlatform(std::shared_ptr<Store> store, std::shared_ptr<InstanceLock> lock)
    : store_(std::move(store)), lock_(std::move(lock)) {}

HeadlessPlatform::~HeadlessPlatform() {
    if (holdsLock_) lock_->held = false;
}

SizeTw HeadlessPlatform::nonClientSize(forms::FrameStyle frame) {
    // A 3-pixel border; a 17-pixel small caption for tool windows, 22 for dialogs.
    switch (frame) {
        case forms::FrameStyle::None:
            return {0, 0};
        case forms::FrameStyle::ToolWindow:
            return {90, 90 + 255};
        case forms::FrameStyle::Dialog:
            return {90, 90 + 330};
        case forms::FrameStyle::DialogBare:
            return {90, 90};
    }
    return {0, 0};
}

// Half-width characters take half an em, everything else a full em.
SizeTw HeadlessPlatform::measureText(const forms::Font& font, const std::string& text) {
    const double em = font.Size * 20;
    double width = 0;
    for (const auto& ch : forms::utf8Chars(text)) {
        auto lead = static_cast<unsigned char>(ch[0]);
        bool halfWidth = ch.size() == 1 || (lead == 0xEF && ch.size() == 3 &&
                                            static_cast<unsigned char>(ch[1]) >= 0xBD);
        width += halfWidth ? em / 2 : em;
    }
    const double lineHeight = double(forms::roundHalfEven(em * 1.2 / 15)) * 15;
    return {double(forms::roundHalfEven(width / 15)) * 15, lineHeight};
}

int HeadlessPlatform::messageBox(const std::string& text, int style, const std::string& title) {
    MessageBoxShown shown{text, style, title};
    messageBoxes.push_back(shown);
    if (onMessageBox) onMessageBox(shown);
    if (!messageBoxAnswers.empty()) {
        int answer = messageBoxAnswers.front();
        messageBoxAnswers.pop_front();
        return answer;
    }
    if ((style & 7) == mb::kYesNo)
        return (style & mb::kDefaultButton2) ? mb::kAnswerNo : mb::kAnswerYes;
    return mb::kAnswerOk;
}

std::optional<OpenFileResult> HeadlessPlatform::openFile(const OpenFileRequest& request) {
    openFileRequests.push_back(request);
    if (openFileAnswers.empty()) return std::nullopt;
    auto answer = openFileAnswers.front();
    openFileAnswers.pop_front();
    return answer;
}

std::optional<forms::Color> HeadlessPlatform::chooseColor(const ColorRequest& request) {
    colorRequests.push_back(request);
    if (colorAnswers.empty()) return std::nullopt;
    auto answer = colorAnswers.front();
    colorAnswers.pop_front();
    return answer;
}

void HeadlessPlatform::shellOpen(forms::Form* owner, const std::string& file,
                                 const std::string& directory) {
    shellOpens.push_back({owner ? owner->Name() : std::string(), file, directory});
}

void HeadlessPlatform::sleep(int milliseconds) {
    if (milliseconds > 0) now_ += milliseconds;
}

bool HeadlessPlatform::acquireSingleInstance() {
    if (lock_->held) return false;
    lock_->held = true;
    holdsLock_ = true;
    return true;
}

void HeadlessPlatform::endProcess(int exitCode) {
    if (holdsLock_) {
        lock_->held = false;
        holdsLock_ = false;
    }
    throw ProcessEnded{exitCode};
}

// Idles in virtual time until the program ends itself; a safety bound keeps
// a program that never ends from spinning forever.
int HeadlessPlatform::runEventLoop() {
    try {
        for (int i = 0; i < 100000; ++i) advance(100);
    } catch (const ProcessEnded& ended) {
        return ended.exitCode;
    }
    return 0;
}

}  // namespace platform::headless
