#pragma once

#include <QSettings>
#include <QString>
#include <QStringList>

#include "app/shop_settings.h"

namespace korvex {

// What the shop window keeps between runs, beside the user's machine profiles in
// ~/.config/korvex/shop.conf: the recent lists, the last folders of lists, parts and outputs,
// the settings a list without its own starts with, and the window's size and splitters.
class ShopMemory {
 public:
  ShopMemory();

  QStringList recentLists() const;
  void rememberList(const QString& path);

  // The last folder of a kind: "lists", "parts" or "outputs".
  QString folder(const QString& kind) const;
  void rememberFolder(const QString& kind, const QString& folder);

  // The settings last used, or stock 6000 for every tube when there are none.
  ShopSettings settings() const;
  void rememberSettings(const ShopSettings& settings);

  QSettings& store() { return store_; }

 private:
  QSettings store_;
};

}  // namespace korvex
