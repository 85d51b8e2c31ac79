#pragma once

#include <QFileDialog>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <filesystem>
#include <memory>

#include "korvex_window_test.h"
#include "qt/shop_memory.h"
#include "qt/shop_window.h"
#include "temp_folder.h"

namespace korvex {

// The shop window as a user finds it, with nothing remembered from another test, shown and
// active, and a folder of the test's own.
class ShopWindowFixture : public KorvexWindowTest {
 protected:
  static constexpr int kWait = 30000;

  void SetUp() override {
    ShopMemory().store().clear();
    shop_ = std::make_unique<ShopWindow>();
    shop_->show();
    shop_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(shop_.get()));
  }
  void TearDown() override { shop_.reset(); }

  QString path(const char* name) const { return QString::fromStdString(folder_.file(name)); }
  // Picks a file of the folder in the file dialog that opens next.
  void chooseFile(const QString& name) {
    WhenOpen<QFileDialog>([this, name](QFileDialog* dialog) {
      dialog->setDirectory(QString::fromStdString(folder_.path().string()));
      dialog->findChild<QLineEdit*>("fileNameEdit")->setText(name);
      static_cast<QDialog*>(dialog)->accept();
    });
  }
  // A shortcut of the window; without a window manager no window is active after a dialog.
  void press(QKeySequence key) {
    shop_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(shop_.get()));
    QTest::keySequence(shop_.get(), key);
  }
  // Every file of want is in got with the same bytes, and got has no other: how many.
  static int ExpectSameFiles(const std::filesystem::path& want, const std::filesystem::path& got) {
    int files = 0;
    for (const auto& file : std::filesystem::directory_iterator(want)) {
      ++files;
      EXPECT_EQ(test::ReadAll(got / file.path().filename()), test::ReadAll(file.path())) << file;
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(got), {}), files);
    return files;
  }
  QTableView& table() { return *shop_->partsTable(); }
  QString cell(int row, int column) {
    return table().model()->index(row, column).data().toString();
  }

  test::TempFolder folder_;
  std::unique_ptr<ShopWindow> shop_;
};

}  // namespace korvex
