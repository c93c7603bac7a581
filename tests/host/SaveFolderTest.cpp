#include "HostFixture.h"
#include "PixelTextSupport.h"

#include <QFile>
#include <QStandardPaths>

namespace {

using SaveFolder = HostFixture;

TEST_F(SaveFolder, FirstSaveStartsInPicturesLaterOnesAtThePreviousSave) {
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    ASSERT_FALSE(pictures.isEmpty());
    start();
    dialogs.files = {dir.filePath("one"), dir.filePath("two.jpg")};
    form1->ShockwaveFlash1FSCommand("savephoto", pixelText(patternColour));
    form1->ShockwaveFlash1FSCommand("savephoto", pixelText(patternColour));
    ASSERT_EQ(dialogs.saveRequests.size(), 2);
    EXPECT_EQ(dialogs.saveRequests[0].startFolder, pictures);
    EXPECT_TRUE(dialogs.saveRequests[0].startPath.isEmpty());
    EXPECT_EQ(dialogs.saveRequests[1].startPath, dir.filePath("one.jpg"));
    EXPECT_TRUE(QFile::exists(dir.filePath("two.jpg")));
    // The picture dialog is not a photo's place: it keeps starting where it always did.
    EXPECT_TRUE(form1->OpenDialog1.request().startFolder.isEmpty());
}

} // namespace
