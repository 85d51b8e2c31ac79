#include "qt/shop_memory.h"

namespace korvex {
namespace {

constexpr int kMostRecent = 8;
constexpr double kFirstStock = 6000;

}  // namespace

ShopMemory::ShopMemory() : store_(QStringLiteral("korvex"), QStringLiteral("shop")) {}

QStringList ShopMemory::recentLists() const {
  return store_.value(QStringLiteral("recent")).toStringList();
}

void ShopMemory::rememberList(const QString& path) {
  QStringList recent = recentLists();
  recent.removeAll(path);
  recent.prepend(path);
  while (recent.size() > kMostRecent)
    recent.removeLast();
  store_.setValue(QStringLiteral("recent"), recent);
}

QString ShopMemory::folder(const QString& kind) const {
  return store_.value(QStringLiteral("folders/") + kind).toString();
}

void ShopMemory::rememberFolder(const QString& kind, const QString& folder) {
  store_.setValue(QStringLiteral("folders/") + kind, folder);
}

ShopSettings ShopMemory::settings() const {
  const QString text = store_.value(QStringLiteral("settings")).toString();
  if (!text.isEmpty()) {
    auto read = ParseShopSettings(text.toStdString(), "shop.conf");
    if (auto* settings = std::get_if<ShopSettings>(&read)) return *settings;
  }
  ShopSettings first;
  first.stock = {{std::nullopt, kFirstStock}};
  return first;
}

void ShopMemory::rememberSettings(const ShopSettings& settings) {
  store_.setValue(QStringLiteral("settings"), QString::fromStdString(FormatShopSettings(settings)));
}

}  // namespace korvex
