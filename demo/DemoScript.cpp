#include "DemoScript.h"

namespace {

// Panel places, the same in both scripts.
void SetPanelPlaces(DemoScript& s)
{
    s.pMessageWidth = {400, 450, 470, 450, 500, 550, 430};
    s.pMessageLeft = {-180, -230, -250, -230, -280, -330, -210};
    s.pFocusLeft = {-230, -200, -312, -330, -330, -330, -330};
    s.pFocusWidth = {413, 450, 621, 653, 653, 653, 653};
}

}  // namespace

void SetDemo1Message(DemoScript& s)
{
    s.pStepMessage = {
        "最初に３D画像を読み込みます。",
        "平面画像の高度、傾斜画像の高度をセットします。",
        "ビルの屋上をラインで結びます。",
        "ビルの側壁のラインを屋上から地上まで引きます。",
        "「画像消去」ボタンで画像を消去し、描いたラインを確認します。",
        "「平面図表示」ボタンを押すと平面図を表示し、ビルの高さを表示します。",
        "確認ができたら「閉じる」ボタンを押します。",
    };
    s.pStepNote = {
        "",
        "必ずこの時、画像の高度を入力してください。",
        "注意、この時、1つの屋上では、必ず終点は始点と一致させます。",
        "注意、この時必ず屋上の点から地上まで引き、ラインは1本でもOK",
        "",
        "",
        "",
    };
    s.pStepTime = {2, 5, 37, 20, 5, 5, 5};
    SetPanelPlaces(s);
}

void SetDemo2Message(DemoScript& s)
{
    // The same script but for the detection of steps 2 and 3, which have texts and durations of
    // their own, and a longer step 4.
    SetDemo1Message(s);
    s.pStepMessage[2] = "注意、ビルの屋上でダブルクリックします。";
    s.pStepMessage[3] = "";
    s.pStepNote[2] = "注意、ビルの屋上でダブルクリックします。";
    s.pStepNote[3] = "ここでうまく屋上ラインと壁のラインが描けなかった時は手動で描きます。";
    s.pStepTime = {2, 5, 36, 10, 10, 5, 5};
}

const std::array<std::string, kDemoIntroLines>& DemoIntroLines(int demoNumber)
{
    static const std::array<std::string, kDemoIntroLines> demo1{
        "このデモはGPS衛星の電波受信状況を周辺障害の影響",
        "を計算して行います。",
        "周辺障害の状況はGoogle Earthの3D画像を用いて作成",
        "します。この3D画像から障害物作成には屋上の輪郭と",
        "壁簿状況を線で結んで作成します。",
        "GPS衛星の電波受信状況は受信可能衛星数と。",
        "衛星の配置によるGDOPを用いて行います。",
    };
    static const std::array<std::string, kDemoIntroLines> demo2{
        "このデモはデモー１同様にGPS衛星の電波受信状況を",
        "周辺障害の影響を計算して行います。",
        "違いはGoogle Earthの3D画像を用いて作成する",
        "障害物データの作成方法です。この場合はGoogle",
        "Earth 3D画像において屋上の境界がハッキリして",
        "いることが重要です。その他はデモー1と同じです",
        "",
    };
    static const std::array<std::string, kDemoIntroLines> none{};
    if (demoNumber == 1) return demo1;
    if (demoNumber == 2) return demo2;
    return none;
}
