#include "editor/pages/page_rows.h"

#include "model/field_table.h"

namespace banmen {
namespace {

// --- Game settings

constexpr RowSpec kGameRows[] = {
    {.label = " 雙六題名",
     .control = 1001,
     .type = RowType::Text,
     .fieldId = kFieldTitle,
     .limit = 62,
     .help = "雙六の題名\n\n最大３０文字"},
    {.label = " 絵柄",
     .control = 1002,
     .type = RowType::Picture,
     .fieldId = kFieldPicture,
     .help = "雙六の絵柄\n\n背景として使われます。\n\nビットマップ形式\n８００×６００ピクセル",
     .buttons = {1003, 1080, 1084},
     .paint = {"雙六絵柄", "Game.bmp", 800, 600, -1}},
    {.label = " 音楽",
     .control = 1007,
     .type = RowType::Sound,
     .fieldId = kFieldSound,
     .help = "バックミュージック\n\nゲーム全般で使用されます\n\nＷＡＶファイル形式",
     .buttons = {1015, 0, 1085}},
    {.label = " 参加人数",
     .control = 1005,
     .type = RowType::Count,
     .fieldId = kFieldPlayerCount,
     .help = "ゲーム参加人数\n\n１～４の範囲で指定します",
     .spin = 1064,
     .min = 1,
     .max = 4},
    {.label = " 出納者名",
     .control = 177,
     .type = RowType::Text,
     .fieldId = kFieldBankName,
     .limit = 10,
     .help = "出納者の名前\n\nプレイヤーデータの出納を管理する者の名前\n最大５文字"},
    {.label = " 勝利条件",
     .control = 1116,
     .type = RowType::Choice,
     .fieldId = kFieldVictoryCondition,
     .help = "勝利条件\n\nゲーム終了時の勝敗条件を指定します",
     .choices = ChoiceList::VictoryCondition,
     .spin = 1114},
    {.label = " 終了条件",
     .control = 1117,
     .type = RowType::Choice,
     .fieldId = kFieldEndCondition,
     .help = "ゲーム終了条件\n\nゲーム終了の条件を指定します\n\n最初の一人がｺﾞｰﾙ\nｺﾝﾋﾟｭｰﾀ以外全員が"
             "ｺﾞｰﾙ\n全員がｺﾞｰﾙ",
     .choices = ChoiceList::EndCondition,
     .spin = 1115},
    {.label = " 著作権表記",
     .control = 1004,
     .type = RowType::TwoLines,
     .fieldId = kFieldRightsNotice,
     .limit = 124,
     .help = "著作権表記\n\n最大６２文字、２行以内"},
    {.label = " ヘルプ絵柄",
     .control = 1226,
     .type = RowType::Picture,
     .fieldId = kFieldHelpPicture,
     .help = "雙六のヘルプの絵柄\n\nヘルプの解説図として使われます。\n\nビットマップ形式\n５００×３"
             "７５ピクセル",
     .buttons = {1227, 1228, 1229},
     .paint = {"ヘルプ絵柄", "Help.bmp", 500, 375, -1}},
    {.label = " ヘルプ",
     .control = 1109,
     .type = RowType::HelpText,
     .fieldId = kFieldHelpText,
     .limit = 1024,
     .help = "雙六のヘルプ\n\nヘルプの解説文として使われます。\n\n最大１０２４文字",
     .buttons = {0, 1110, 1111}},
};

// --- Player

constexpr RowSpec dataValueRow(int k, const char* label, const char* help, const char* unitHelp) {
    return {.label = label,
            .control = 2100 + k,
            .type = RowType::DataValue,
            .fieldId = kFieldValues,
            .sub = k,
            .help = help,
            .unitControl = 2200 + k,
            .unitHelp = unitHelp};
}

constexpr RowSpec playerStateRow(int j, const char* label, const char* help) {
    return {.label = label,
            .control = 2300 + j,
            .type = RowType::Text,
            .fieldId = kFieldStateTexts,
            .sub = j,
            .limit = 62,
            .help = help};
}

constexpr RowSpec kPlayerRows[] = {
    {.label = " 名称",
     .control = 1006,
     .type = RowType::Text,
     .fieldId = kFieldName,
     .limit = 12,
     .help = "プレイヤーの名称\n\n最大６文字"},
    {.label = " 絵柄",
     .control = 1002,
     .type = RowType::Picture,
     .fieldId = kFieldPicture,
     .help = "プレイヤーの駒の絵柄\n\nビットマップ形式\n３２×３２ピクセル",
     .buttons = {1003, 1080, 1084},
     .paint = {.nameFormat = "プレイヤー%s", .fileFormat = "Player%d.bmp", .piece = true}},
    {.label = " 開始位置",
     .control = 1069,
     .type = RowType::Square,
     .fieldId = kFieldStartSquare,
     .help = "プレイヤーがスタートするマスを指定",
     .buttons = {2005, 0, 1070},
     .pickingHelp = "スタートするマスを選択\n\nスタートするマスをマウスクリックして下さい"},
    dataValueRow(0, " データ１", "プレイヤーデータ１の初期値\n\n数値データ",
                 "プレイヤーデータ１の単位"),
    dataValueRow(1, " データ２", "プレイヤーデータ２の初期値\n\n数値データ",
                 "プレイヤーデータ２の単位"),
    dataValueRow(2, " データ３", "プレイヤーデータ３の初期値\n\n数値データ",
                 "プレイヤーデータ３の単位"),
    dataValueRow(3, " データ４", "プレイヤーデータ４の初期値\n\n数値データ",
                 "プレイヤーデータ４の単位"),
    dataValueRow(4, " データ５", "プレイヤーデータ５の初期値\n\n数値データ",
                 "プレイヤーデータ５の単位"),
    playerStateRow(0, " 状態１", "プレイヤー状態１の初期値\n\n最大３０文字"),
    playerStateRow(1, " 状態２", "プレイヤー状態２の初期値\n\n最大３０文字"),
    playerStateRow(2, " 状態３", "プレイヤー状態３の初期値\n\n最大３０文字"),
};

// --- Player state and player data

constexpr RowSpec kVisibleRow = {.label = " 表示",
                                 .control = 1022,
                                 .type = RowType::Choice,
                                 .fieldId = kFieldVisible,
                                 .help = "表示するかどうかを指定\n\n表示する／表示しない",
                                 .choices = ChoiceList::Visibility,
                                 .spin = 1039};

constexpr RowSpec kStateRows[] = {
    {.label = " 名称",
     .control = 1006,
     .type = RowType::Text,
     .fieldId = kFieldName,
     .limit = 6,
     .help = "このプレイヤー状態の名称\n\n最大３文字"},
    kVisibleRow,
    {.label = " 説明",
     .control = 1023,
     .type = RowType::Text,
     .fieldId = kFieldDescription,
     .limit = 62,
     .help = "プレイヤー状態の説明\n\nヘルプでの説明に使用されます\n\n最大３０文字"},
};

constexpr RowSpec kDataRows[] = {
    {.label = " 名称",
     .control = 1006,
     .type = RowType::Text,
     .fieldId = kFieldName,
     .limit = 6,
     .help = "このプレイヤーデータの名称\n\n最大３文字"},
    kVisibleRow,
    {.label = " 単位",
     .control = 1024,
     .type = RowType::Text,
     .fieldId = kFieldUnit,
     .limit = 4,
     .help = "プレイヤーデータの単位\n\n最大２文字"},
    {.label = " 種別",
     .control = 1098,
     .type = RowType::Choice,
     .fieldId = kFieldKind,
     .help = "プレイヤーデータの種別\n\n物、お金、人物",
     .choices = ChoiceList::DataKind,
     .spin = 1099},
    {.label = " 説明",
     .control = 1023,
     .type = RowType::Text,
     .fieldId = kFieldDescription,
     .limit = 62,
     .help = "プレイヤーデータの説明\n\nヘルプでの説明に使用されます\n\n最大３０文字"},
};

// --- Square

constexpr const char* kUpdateTextHelp = "データ変更式の説明\n\n計算を行う時に表示されます";
constexpr const char* kDieHelps[] = {
    "このマスでサイコロを振って１がで時のジャンプ先",
    "このマスでサイコロを振って２がで時のジャンプ先",
    "このマスでサイコロを振って３がで時のジャンプ先",
    "このマスでサイコロを振って４がで時のジャンプ先",
    "このマスでサイコロを振って５がで時のジャンプ先",
    "このマスでサイコロを振って６がで時のジャンプ先",
};
constexpr const char* kDieLabels[] = {" 1の目移動先", " 2の目移動先", " 3の目移動先",
                                      " 4の目移動先", " 5の目移動先", " 6の目移動先"};
constexpr int kDieLockons[] = {2006, 2007, 2008, 2009, 2014, 2015};
constexpr const char* kUpdateLabels[] = {" ﾃﾞｰﾀ1の更新", " ﾃﾞｰﾀ2の更新", " ﾃﾞｰﾀ3の更新",
                                         " ﾃﾞｰﾀ4の更新", " ﾃﾞｰﾀ5の更新"};
constexpr const char* kUpdateTextLabels[] = {" 更新の説明1", " 更新の説明2", " 更新の説明3",
                                             " 更新の説明4", " 更新の説明5"};
constexpr const char* kNextLabels[] = {" 次のマス１", " 次のマス２", " 次のマス３", " 次のマス４"};

constexpr RowSpec updateRow(int i) {
    return {.label = kUpdateLabels[i],
            .control = 4000 + i,
            .type = RowType::Update,
            .fieldId = kFieldUpdateCodes,
            .sub = i,
            .buttons = {4000 + i, 4020 + i, 4010 + i, 4030 + i}};
}

constexpr RowSpec updateTextRow(int i) {
    return {.label = kUpdateTextLabels[i],
            .control = 2250 + i,
            .type = RowType::Text,
            .fieldId = kFieldUpdateTexts,
            .sub = i,
            .limit = 62,
            .help = kUpdateTextHelp};
}

constexpr RowSpec stateChangeRow(int j, const char* label, const char* help) {
    return {.label = label,
            .control = 2300 + j,
            .type = RowType::Text,
            .fieldId = kFieldStateTexts,
            .sub = j,
            .limit = 30,
            .help = help};
}

constexpr RowSpec dieJumpRow(int d) {
    return {.label = kDieLabels[d],
            .control = 1200 + d,
            .type = RowType::Square,
            .fieldId = kFieldDieJumps,
            .sub = d,
            .help = kDieHelps[d],
            .buttons = {kDieLockons[d], 0, 1220 + d},
            .pickingHelp =
                "サイコロジャンプのマスを選択\n\nこのマスでサイコロを振った時にジャ"
                "ンプするマスをマウスクリックして下さい"};
}

constexpr RowSpec nextSquareRow(int slot) {
    return {.label = kNextLabels[slot],
            .control = 1028 + slot,
            .type = RowType::NextSquare,
            .fieldId = kFieldNextSquares,
            .sub = slot,
            .help = "このマスの次のマス",
            .buttons = {2000 + slot, 0, 2010 + slot},
            .pickingHelp = "次のマスを選択\n\n次のマスをマウスクリックして下さい"};
}

// Each update row is followed by its description, the text it belongs to.
constexpr RowSpec kSquareRows[] = {
    {.label = " 名称",
     .control = 1006,
     .type = RowType::Text,
     .fieldId = kFieldName,
     .limit = 62,
     .help = "このマスの名称\n\n最大３０文字"},
    {.label = " 絵柄",
     .control = 1002,
     .type = RowType::Picture,
     .fieldId = kFieldPicture,
     .help =
         "このマスの絵柄\n\nこのマスに止まった時に表示されます\n\nビットマップ形式(W 150 H 115)",
     .buttons = {1003, 1080, 1084},
     .paint = {"ﾏｽ%d", "Map%d.bmp", 150, 115, 0xFF00FF}},
    {.label = " 効果音",
     .control = 1007,
     .type = RowType::Sound,
     .fieldId = kFieldSound,
     .help = "このマスの効果音\n\nこのマスに止まったときのに使用されます\n\nＷＡＶファイル形式",
     .buttons = {1015, 0, 1085}},
    {.label = " X座標",
     .control = 1100,
     .type = RowType::Number,
     .fieldId = kFieldX,
     .help = "このマスのＸ座標"},
    {.label = " Y座標",
     .control = 1101,
     .type = RowType::Number,
     .fieldId = kFieldY,
     .help = "このマスのＹ座標"},
    {.label = " 説明",
     .control = 1042,
     .type = RowType::Text,
     .fieldId = kFieldDescription,
     .limit = 62,
     .help = "このマスの説明\n\nこのマスに止まった時に表示されます\n\n最大３０文字"},
    {.label = " 補足図",
     .control = 178,
     .type = RowType::Picture,
     .fieldId = kFieldSupplementPicture,
     .help =
         "このマスの補足説明図\n\nこのマスに止まった時に画面中央に表示されます\n\nビットマップ形式",
     .buttons = {180, 181, 182},
     .paint = {"補足図%d", "Sap%d.bmp", 320, 200, -1}},
    {.label = " 種別",
     .control = 1098,
     .type = RowType::Choice,
     .fieldId = kFieldKind,
     .help = "このマスの分類\n\n普通、幸運、不運、\nスタート、ゴール、リタイヤ",
     .choices = ChoiceList::SquareKind,
     .spin = 1099},
    updateRow(0),
    updateTextRow(0),
    updateRow(1),
    updateTextRow(1),
    updateRow(2),
    updateTextRow(2),
    updateRow(3),
    updateTextRow(3),
    updateRow(4),
    updateTextRow(4),
    stateChangeRow(0, " 状態1変更値",
                   "このマスに止まった時のﾌﾟﾚｲﾔｰ状態１\n\nこの値にﾌﾟﾚｲﾔｰの状態が変更されます\n空の"
                   "場合はデータを変更しない\n\n最大３０文字"),
    stateChangeRow(1, " 状態2変更値",
                   "このマスに止まった時のﾌﾟﾚｲﾔｰ状態２\n\nこの値にﾌﾟﾚｲﾔｰの状態が変更されます\n空の"
                   "場合はデータを変更しない\n\n最大３０文字"),
    stateChangeRow(2, " 状態3変更値",
                   "このマスに止まった時のﾌﾟﾚｲﾔｰ状態３\n\nこの値にﾌﾟﾚｲﾔｰの状態が変更されます\n空の"
                   "場合はデータを変更しない\n\n最大３０文字"),
    {.label = " 到着移動先",
     .control = 1026,
     .type = RowType::Square,
     .fieldId = kFieldArrivalJump,
     .help = "このマスに止まった時のジャンプ先",
     .buttons = {2004, 0, 1074},
     .pickingHelp = "無条件ジャンプのマスを選択\n\nこのマスに止まった時に無条件にジャンプするマス"
                    "をマウスクリックして下さい"},
    {.label = " 通過移動先",
     .control = 1036,
     .type = RowType::Square,
     .fieldId = kFieldPassJump,
     .help = "このマスを通過した時のジャンプ先",
     .buttons = {2005, 0, 1075},
     .pickingHelp = "無条件ジャンプのマスを選択\n\nこのマスを通過した時に無条件にジャンプするマス"
                    "をマウスクリックして下さい"},
    dieJumpRow(0),
    dieJumpRow(1),
    dieJumpRow(2),
    dieJumpRow(3),
    dieJumpRow(4),
    dieJumpRow(5),
    nextSquareRow(0),
    nextSquareRow(1),
    nextSquareRow(2),
    nextSquareRow(3),
};

// --- Image and sound

constexpr RowSpec kImageRows[] = {
    {.label = " 名称",
     .control = 1006,
     .type = RowType::Text,
     .fieldId = kFieldName,
     .limit = 62,
     .help = "このイメージの名称\n\n最大３０文字"},
    {.label = " ﾌｧｲﾙ名",
     .control = 1002,
     .type = RowType::ImageFile,
     .fieldId = kFieldFileName,
     .limit = 62,
     .help = "イメージのファイル名\n\nイメージオブジェクト名\n\nビットマップ形式\n２００×２００ピク"
             "セル",
     .buttons = {1003, 1080, 1084},
     .paint = {nullptr, "Image%d.bmp", 150, 115, -1}},
    {.label = " 透過色",
     .control = 1085,
     .type = RowType::TransparentColour,
     .fieldId = kFieldTransparentColor,
     .help = "透過色\n\nこの色の部分が透明になります",
     .buttons = {1004, 0, 1108}},
    {.label = " 幅",
     .control = 1005,
     .type = RowType::Number,
     .fieldId = kFieldWidth,
     .help = "イメージの幅"},
    {.label = " 高さ",
     .control = 1007,
     .type = RowType::Number,
     .fieldId = kFieldHeight,
     .help = "イメージの高さ"},
};

constexpr RowSpec kSoundRows[] = {
    {.label = " 名称",
     .control = 1006,
     .type = RowType::Text,
     .fieldId = kFieldName,
     .limit = 62,
     .help = "このサウンドの名称\n\n最大３０文字"},
    {.label = " ﾌｧｲﾙ名",
     .control = 1007,
     .type = RowType::SoundFile,
     .fieldId = kFieldFileName,
     .limit = 62,
     .help = "サウンドファイル名\n\nＷＡＶファイル形式",
     .buttons = {1015, 0, 1085}},
    {.label = " 繰り返し",
     .control = 183,
     .type = RowType::Choice,
     .fieldId = kFieldRepeat,
     .help = "繰り返し\n\n演奏回数を指定します\n\n連続/1回",
     .choices = ChoiceList::Repeat,
     .spin = 184},
};

}  // namespace

std::span<const RowSpec> pageRows(ObjectKind kind) {
    switch (kind) {
        case ObjectKind::Game:
            return kGameRows;
        case ObjectKind::Player:
            return kPlayerRows;
        case ObjectKind::PlayerState:
            return kStateRows;
        case ObjectKind::PlayerData:
            return kDataRows;
        case ObjectKind::Square:
            return kSquareRows;
        case ObjectKind::Image:
            return kImageRows;
        case ObjectKind::Sound:
            return kSoundRows;
    }
    return {};
}

}  // namespace banmen
