// make_pictures: draws the program's pictures (button sheets, background,
// arrows, icons, cursors) and writes them, with the resource list, into the
// folder given on the command line. Run it with QT_QPA_PLATFORM=offscreen.
// The output depends only on this code and the two font files below.

#include "button_sheet.h"
#include "cursors.h"
#include "small_pictures.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>
#include <vector>

namespace {

const char* const kLatinFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf";
const char* const kJapaneseFontFile = "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf";

bool loadFont(const char* file, QString& family) {
  const int id = QFontDatabase::addApplicationFont(QString::fromUtf8(file));
  const QStringList families = id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
  if (families.isEmpty()) {
    std::fprintf(stderr, "make_pictures: cannot load font %s (packages fonts-dejavu-core, fonts-ipafont-gothic)\n",
                 file);
    return false;
  }
  family = families.front();
  return true;
}

// Fixed dots-per-metre, so nothing about the machine ends up in the files.
constexpr int kDotsPerMetre = 3780;

bool savePng(const QDir& dir, const QString& name, QImage image, bool alpha) {
  image = image.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
  image.setDotsPerMeterX(kDotsPerMetre);
  image.setDotsPerMeterY(kDotsPerMetre);
  const QString path = dir.filePath(name);
  if (!image.save(path, "PNG", 9)) {
    std::fprintf(stderr, "make_pictures: cannot write %s\n", qPrintable(path));
    return false;
  }
  return true;
}

bool saveText(const QDir& dir, const QString& name, const QString& text) {
  QFile file(dir.filePath(name));
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    std::fprintf(stderr, "make_pictures: cannot write %s\n", qPrintable(file.fileName()));
    return false;
  }
  const QByteArray bytes = text.toUtf8();
  return file.write(bytes) == bytes.size();
}

struct ResourceEntry {
  const char* alias;
  const char* file;
};

// Resource aliases under which the program loads each file.
const ResourceEntry kResources[] = {
    {"png/180_en", "button_sheet_en.png"},
    {"png/180_ja", "button_sheet_ja.png"},
    {"png/180_en@2x", "button_sheet_en@2x.png"},
    {"png/180_ja@2x", "button_sheet_ja@2x.png"},
    {"png/181", "background.png"},
    {"png/182", "panel_arrows.png"},
    {"png/183", "edge_snap.png"},
    {"icon/172", "mirelta.png"},
    {"icon/172-48", "mirelta-48.png"},
    {"cursor/138", "cursor_hand.png"},
    {"cursor/174", "cursor_move.png"},
    {"cursor/176", "cursor_ring.png"},
    {"cursor/177", "cursor_cross.png"},
    {"cursors.txt", "cursors.txt"},
};

QString resourceList() {
  QString text;
  QTextStream out(&text);
  out << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n  <qresource prefix=\"/\">\n";
  for (const ResourceEntry& entry : kResources) {
    out << "    <file alias=\"" << entry.alias << "\">" << entry.file << "</file>\n";
  }
  out << "  </qresource>\n</RCC>\n";
  return text;
}

} // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_pictures <output folder>\n");
    return 2;
  }
  const QDir dir(QString::fromLocal8Bit(argv[1]));
  if (!dir.exists()) {
    std::fprintf(stderr, "make_pictures: no folder %s\n", argv[1]);
    return 2;
  }
  CaptionFonts fonts;
  if (!loadFont(kLatinFontFile, fonts.latin) || !loadFont(kJapaneseFontFile, fonts.japanese)) return 1;

  bool ok = true;
  ok &= savePng(dir, "button_sheet_en.png", makeButtonSheet(Language::English, 1, fonts), false);
  ok &= savePng(dir, "button_sheet_ja.png", makeButtonSheet(Language::Japanese, 1, fonts), false);
  ok &= savePng(dir, "button_sheet_en@2x.png", makeButtonSheet(Language::English, 2, fonts), false);
  ok &= savePng(dir, "button_sheet_ja@2x.png", makeButtonSheet(Language::Japanese, 2, fonts), false);
  ok &= savePng(dir, "background.png", makeBackgroundTile(), false);
  ok &= savePng(dir, "panel_arrows.png", makePanelArrows(), false);
  ok &= savePng(dir, "edge_snap.png", makeEdgeSnapIcon(), false);
  ok &= savePng(dir, "mirelta.png", makeProgramIcon(256), true);
  ok &= savePng(dir, "mirelta-48.png", makeProgramIcon(48), true);

  QString hotSpots;
  for (const CursorPicture& cursor : {makeHandCursor(), makeMoveCursor(), makeRingCursor(), makeCrossCursor()}) {
    ok &= savePng(dir, cursor.fileName, cursor.image, true);
    hotSpots += QStringLiteral("%1 %2 %3\n").arg(cursor.fileName).arg(cursor.hotSpot.x()).arg(cursor.hotSpot.y());
  }
  ok &= saveText(dir, "cursors.txt", hotSpots);
  ok &= saveText(dir, "mirelta.qrc", resourceList());
  return ok ? 0 : 1;
}
