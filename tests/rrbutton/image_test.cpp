#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "button_fixture.h"
#include "rrbutton_image.h"

namespace korvex::testing {
namespace {

QString WriteSquare(const QTemporaryDir& dir, const QString& fileName, QSize size, QColor colour) {
  QPixmap pixmap(size);
  pixmap.fill(colour);
  const QString path = dir.filePath(fileName);
  EXPECT_TRUE(pixmap.save(path));
  return path;
}

TEST(FindImageFile, MatchesNamesWithoutRegardToCaseOrExtension) {
  QTemporaryDir dir;
  WriteSquare(dir, QStringLiteral("Icon_Open.PNG"), QSize(8, 8), Qt::red);
  WriteSquare(dir, QStringLiteral("notes.txt.png"), QSize(8, 8), Qt::red);
  const QString expected = dir.filePath(QStringLiteral("Icon_Open.PNG"));
  EXPECT_EQ(FindImageFile(dir.path(), QStringLiteral("ICON_OPEN")), expected);
  EXPECT_EQ(FindImageFile(dir.path(), QStringLiteral("icon_open.png")), expected);
  EXPECT_EQ(FindImageFile(dir.path(), QStringLiteral("icon_ope")), QString());
  EXPECT_EQ(FindImageFile(dir.path(), QStringLiteral("notes")), QString());
  EXPECT_EQ(FindImageFile(dir.path(), QString()), QString());
}

TEST(LoadButtonImage, LoadsTheProgramsIconsByNameInAnyCase) {
  for (const char* name : {"icon_blue", "ICON_BLUE", "icon_red"}) {
    const auto image = LoadButtonImage(QString::fromLatin1(name), 1, kIconFolder);
    ASSERT_NE(image, nullptr) << name;
    EXPECT_EQ(image->naturalSize(), QSize(32, 32));
  }
  EXPECT_EQ(LoadButtonImage(QStringLiteral("ICON_OPEN_DIS"), 1, kIconFolder), nullptr);
}

TEST(LoadButtonImage, ANameWithADotIsAFile) {
  QTemporaryDir dir;
  const QString path = WriteSquare(dir, QStringLiteral("pic.png"), QSize(12, 7), Qt::green);
  const auto bitmap = LoadButtonImage(path, 0, kIconFolder);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->naturalSize(), QSize(12, 7));
  EXPECT_NE(LoadButtonImage(path, 1, kIconFolder), nullptr);
  EXPECT_EQ(LoadButtonImage(dir.filePath(QStringLiteral("missing.png")), 0, kIconFolder), nullptr);
  // Not a file here, though the icon folder holds Icon_Blue.svg: the slot stays empty.
  EXPECT_EQ(LoadButtonImage(QStringLiteral("icon_blue.svg"), 0, kIconFolder), nullptr);
}

TEST(LoadButtonImage, AFileThatIsNoImageDoesNotLoad) {
  QTemporaryDir dir;
  QFile file(dir.filePath(QStringLiteral("broken.png")));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("not an image");
  file.close();
  EXPECT_EQ(LoadButtonImage(file.fileName(), 0, kIconFolder), nullptr);
  EXPECT_EQ(LoadButtonImage(file.fileName(), 1, kIconFolder), nullptr);
}

TEST(ImageSlot, ReleasesOwnedImagesOnlyAndHandsOverOnTake) {
  const int before = ButtonImage::liveCount();
  ButtonImage shared(QIcon(), QSize(1, 1));
  {
    ImageSlot slot;
    slot.adopt(ButtonImage::fromPixmap(QPixmap(4, 4)));
    EXPECT_EQ(ButtonImage::liveCount(), before + 2);
    slot.share(&shared);
    EXPECT_EQ(ButtonImage::liveCount(), before + 1);
    EXPECT_TRUE(slot.isShared());
    slot.adopt(ButtonImage::fromPixmap(QPixmap(4, 4)));
    EXPECT_FALSE(slot.isShared());
    std::unique_ptr<ButtonImage> taken(slot.take());
    EXPECT_EQ(slot.get(), nullptr);
    EXPECT_EQ(ButtonImage::liveCount(), before + 2);
  }
  EXPECT_EQ(ButtonImage::liveCount(), before + 1);
}

using ImageMessagesTest = ButtonFixture;

intptr_t Name(const char* name) {
  return reinterpret_cast<intptr_t>(name);
}

TEST_F(ImageMessagesTest, LoadingTheNormalImageResetsTheDrawingSize) {
  send(RRBM_SETIMAGESIZE, 32, 32);
  send(RRBM_LOADIMAGE, IMAGE_ICON, Name("ICON_BLUE"));
  EXPECT_NE(button->state().normalImage.get(), nullptr);
  EXPECT_EQ(send(RRBM_GETIMAGEWIDTH), 16);
  EXPECT_EQ(send(RRBM_GETIMAGEHEIGHT), 16);
  EXPECT_EQ(button->state().imageType, IMAGE_ICON);
  send(RRBM_LOADIMAGE, IMAGE_ICON, Name("ICON_OPEN_DIS"));
  EXPECT_EQ(button->state().normalImage.get(), nullptr);
  EXPECT_EQ(send(RRBM_GETIMAGEWIDTH), 0);
  EXPECT_EQ(send(RRBM_GETIMAGEHEIGHT), 0);
}

TEST_F(ImageMessagesTest, OtherSlotsLeaveTheSizeAndEmptyOnNull) {
  send(RRBM_SETIMAGESIZE, 32, 32);
  const unsigned loads[] = {RRBM_LOADIMAGEHOT, RRBM_LOADIMAGEPRESSED, RRBM_LOADIMAGEDISABLED};
  const ImageSlot* filled[] = {&button->state().hotImage, &button->state().pressedImage,
                               &button->state().disabledImage};
  for (int i = 0; i < 3; ++i) {
    send(loads[i], IMAGE_ICON, Name("icon_green"));
    EXPECT_NE(filled[i]->get(), nullptr);
    EXPECT_EQ(send(RRBM_GETIMAGEWIDTH), 32);
    send(loads[i], IMAGE_BITMAP, 0);
    EXPECT_EQ(filled[i]->get(), nullptr);
    EXPECT_EQ(button->state().imageType, IMAGE_ICON);
  }
}

TEST_F(ImageMessagesTest, SharedImageSetsSizeAndReturnsThePrevious) {
  ButtonImage first(QIcon(), QSize(8, 8));
  ButtonImage second(QIcon(), QSize(8, 8));
  EXPECT_EQ(send(BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<intptr_t>(&first)), 0);
  EXPECT_TRUE(button->state().sharedImage());
  EXPECT_EQ(send(RRBM_GETIMAGEWIDTH), 32);
  EXPECT_EQ(send(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<intptr_t>(&second)),
            reinterpret_cast<intptr_t>(&first));
  EXPECT_EQ(button->state().imageType, IMAGE_BITMAP);
  EXPECT_EQ(send(BM_SETIMAGE, IMAGE_BITMAP, 0), reinterpret_cast<intptr_t>(&second));
  EXPECT_EQ(send(RRBM_GETIMAGEWIDTH), 0);
  EXPECT_EQ(send(RRBM_GETIMAGEHEIGHT), 0);
}

TEST_F(ImageMessagesTest, LoadingOverASharedImageDoesNotReleaseIt) {
  const int before = ButtonImage::liveCount();
  auto* shared = new ButtonImage(QIcon(), QSize(8, 8));
  send(BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<intptr_t>(shared));
  send(RRBM_LOADIMAGE, IMAGE_ICON, Name("icon_blue"));
  EXPECT_EQ(ButtonImage::liveCount(), before + 2);
  EXPECT_FALSE(button->state().sharedImage());
  delete shared;
}

TEST_F(ImageMessagesTest, DestroyReleasesLoadedImagesButNeverTheSharedOne) {
  const int before = ButtonImage::liveCount();
  ButtonImage shared(QIcon(), QSize(8, 8));
  send(RRBM_LOADIMAGEHOT, IMAGE_ICON, Name("icon_red"));
  send(RRBM_LOADIMAGEPRESSED, IMAGE_ICON, Name("icon_red"));
  send(RRBM_LOADIMAGEDISABLED, IMAGE_ICON, Name("icon_green"));
  send(BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<intptr_t>(&shared));
  MovePointer(button, centre());
  ASSERT_TRUE(HoverTimer(button)->isActive());
  EXPECT_EQ(ButtonImage::liveCount(), before + 4);
  delete button;
  EXPECT_EQ(ButtonImage::liveCount(), before + 1);
  EXPECT_EQ(shared.naturalSize(), QSize(8, 8));
}

TEST_F(ImageMessagesTest, DestroyReleasesTheLoadedNormalImage) {
  const int before = ButtonImage::liveCount();
  send(RRBM_LOADIMAGE, IMAGE_ICON, Name("icon_blue"));
  EXPECT_EQ(ButtonImage::liveCount(), before + 1);
  delete button;
  EXPECT_EQ(ButtonImage::liveCount(), before);
}

}  // namespace
}  // namespace korvex::testing
