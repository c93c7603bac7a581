#pragma once

#include "ScriptedDialogs.h"
#include "host/TForm1.h"
#include "host/TForm2.h"
#include "player/Clip.h"
#include "player/PlayerWidget.h"
#include "player/Stage.h"
#include "updates/TForm3.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

// A movie that does nothing but stop, registered under the bundle's program name, so that
// every reply seen comes from the command under test.
class QuietMovie : public player::MovieProgram {
public:
    void start(player::Stage& stage) override {
        player::Clip* root = stage.root();
        root->timeline().setScript(1, [root] { root->stop(); });
    }
};

inline player::MovieRegistry quietRegistry() {
    player::MovieRegistry registry;
    registry.add(QStringLiteral("ivemba"), [] { return std::make_unique<QuietMovie>(); });
    return registry;
}

// The three host windows on a program directory of the test's own.
class HostFixture : public ::testing::Test {
protected:
    // Where the About window's link leads in these tests.
    static inline const QString kHomePage = QStringLiteral("http://127.0.0.1:9/");

    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    void start(player::MovieRegistry registry = quietRegistry(), QString programDir = {},
               QString resource = QStringLiteral("VEMBASWF")) {
        form1 = std::make_unique<host::TForm1>(host::TForm1::Setup{
            programDir.isEmpty() ? dir.path() : programDir, &dialogs, std::move(registry), resource,
            nullptr, [this](QWindow&) { ++systemMoves; }});
        form2 = new host::TForm2(dialogs, form1.get(), kHomePage);
        form3 = new updates::TForm3(
            {dir.path(),
             [player = form1->ShockwaveFlash1](const QString& name, const QString& value) {
                 player->setVariable(name, value);
             }},
            form1.get());
        form1->setAboutWindow(form2);
        form1->setBorderUpdateWindow(form3);
    }
    void command(const QString& name, const QString& arg = {}) {
        form1->ShockwaveFlash1FSCommand(name, arg);
    }
    [[nodiscard]] QString var(const QString& name) const {
        return form1->ShockwaveFlash1->variable(name);
    }
    [[nodiscard]] bool hasVar(const QString& name) const {
        return form1->ShockwaveFlash1->stage().root()->hasVar(name);
    }

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    int systemMoves = 0; // window moves handed to the system
    std::unique_ptr<host::TForm1> form1;
    host::TForm2* form2 = nullptr;
    updates::TForm3* form3 = nullptr;
};
