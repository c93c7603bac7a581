#include "movie/capture/ShutterToggles.h"

#include "movie/common/SharedRules.h"
#include "movie/widgets/Button.h"
#include "player/Clip.h"
#include "player/Services.h"
#include "player/Stage.h"
#include "player/TextField.h"

#include <QCoreApplication>
#include <algorithm>
#include <functional>
#include <iterator>

namespace capture {

using player::Clip;

namespace {

// Right of the shutter, under "按此快门！" and above the capture count, clear of every
// control of both pages.
constexpr QPointF kSelfTimerPos{695, 148};
constexpr QPointF kBurstPos{695, 174};
constexpr QSizeF kToggleSize{80, 22};
constexpr int kSelfTimerDepth = 93;
constexpr int kBurstDepth = 94;

template <std::size_t N> int nextOf(const int (&values)[N], int current) {
    const auto at = std::find(std::begin(values), std::end(values), current);
    return at == std::end(values) || std::next(at) == std::end(values) ? values[0] : *std::next(at);
}

void showLabel(Clip& toggle, const QString& text) {
    if (auto* label = qobject_cast<player::TextField*>(toggle.child(QStringLiteral("label"))))
        label->setText(text);
}

// A toggle whose value lives in the player's settings: `read` takes it out, `write` puts a
// new one in, `label` names it.
void addToggle(Clip& page, const QString& name, int depth, QPointF pos,
               std::function<int(const common::Settings&)> read,
               std::function<void(common::Settings&, int)> write, std::function<int(int)> next,
               QString (*label)(int)) {
    Clip* toggle = widgets::makeTextButton(page, name, depth, pos,
                                           label(read(moviecommon::settingsOf(page))), kToggleSize);
    toggle->onRelease([toggle, read, write, next, label] {
        player::Stage* stage = toggle->stage();
        if (!stage)
            return;
        common::Settings settings = stage->services().settings;
        const int value = next(read(settings));
        write(settings, value);
        showLabel(*toggle, label(value));
        if (const common::Status<> kept = stage->services().changeSettings(std::move(settings));
            !kept)
            stage->trace(QStringLiteral("shutter settings not kept: ") + kept.error());
    });
}

} // namespace

QString selfTimerLabel(int seconds) {
    return seconds <= 0 ? QCoreApplication::translate("capture", "定时：关")
                        : QCoreApplication::translate("capture", "定时：%1秒").arg(seconds);
}

QString burstLabel(int photos) {
    return QCoreApplication::translate("capture", "连拍：%1张").arg(photos);
}

void addShutterToggles(Clip& page) {
    addToggle(
        page, QStringLiteral("SelfTimer_button"), kSelfTimerDepth, kSelfTimerPos,
        [](const common::Settings& s) { return s.selfTimer; },
        [](common::Settings& s, int v) { s.selfTimer = v; },
        [](int v) { return nextOf(common::Settings::kSelfTimers, v); }, &selfTimerLabel);
    addToggle(
        page, QStringLiteral("Burst_button"), kBurstDepth, kBurstPos,
        [](const common::Settings& s) { return s.burst; },
        [](common::Settings& s, int v) { s.burst = v; },
        [](int v) { return nextOf(common::Settings::kBursts, v); }, &burstLabel);
}

} // namespace capture
