#include "platform/string_table.h"

#include "platform/language.h"

namespace {

struct Entry {
    int id;
    const char* english;
    const char* japanese;
};

// Tooltips are shown in Japanese only, so both tables hold the Japanese text.
#define TIP(id, text) {id, text, text}

constexpr Entry kEntries[] = {
    TIP(200, "ライブ表示と静止画を切り替えます（F11）"),
    TIP(201, "画像を保存します（右クリックでそのまま保存、F12）"),
    TIP(202, "画像の保存先フォルダを選びます"),
    TIP(203, "カメラを設定します"),
    TIP(204, "計測結果を画像に書き込んで保存します"),
    TIP(205, "保存した画像を一覧で表示します"),
    TIP(206, "フォーカス値を表示する領域を指定します"),
    TIP(207, "画面の表示倍率を選びます"),
    TIP(208, "２点間の距離を測ります"),
    TIP(209, "指定した多角形の面積を測ります"),
    TIP(210, "円の直径を計ります"),
    TIP(211, "円の直径と２円間の距離を測ります"),
    TIP(212, "垂線の距離を測ります"),
    TIP(213, "角度を測ります"),
    TIP(214, "選択した計測結果を削除します"),
    TIP(215, "保存した計測結果を読み込みます"),
    TIP(216, "表示の色と線を設定します"),
    TIP(217, "計測結果をCSVファイルに保存します"),
    TIP(218, "校正値を設定します"),
    TIP(219, "使用する校正値を選びます"),
    TIP(220, "計測結果の一覧です"),
    {1000, "Length", "二点間距離"},
    {1001, "Polygon area", "多角形面積"},
    {1002, "Circle diameter", "円直径"},
    {1003, "Circle distance", "二円間距離"},
    {1004, "Angle", "角度"},
    {1005, "degree", "°"},
    {1006, "Data", "校正値"},
    {1007, "Type", "計測内容"},
    {1008, "Result", "測定値"},
    {1009, "Unit", "単位"},
    {1010, "MS Sans Serif", "ＭＳ　Ｐゴシック"},
    {1011, "It has already startup", "既に同系列のソフトが起動しているため起動できません"},
    {1012, "The disk is full.", "ディスクの空き容量が足りません。"},
    {1013, "The folder or the file cannot be written to.", "フォルダーまたはファイルに書き込めません。"},
    {1014, "The folder does not exist.", "フォルダーが見つかりません。"},
    {1015, "Writing failed: %s", "書き込みに失敗しました：%s"},
    {1016, "The settings could not be saved; the file was left as it was.\n%1\n%2",
     "設定を保存できませんでした。ファイルは元のままです。\n%1\n%2"},
    {1017, "The thumbnail index could not be saved; the file was left as it was.\n%1\n%2",
     "サムネイルの一覧を保存できませんでした。ファイルは元のままです。\n%1\n%2"},
};

#undef TIP

} // namespace

const char* LoadStr(int id, bool japanese) {
    for (const Entry& e : kEntries)
        if (e.id == id)
            return japanese ? e.japanese : e.english;
    return "";
}

const char* LoadStr(int id) { return LoadStr(id, g_bJapanese); }
