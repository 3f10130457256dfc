#include "ChangeHeightFrm.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "photoinput/InputLineFrm.h"
#include "platform/Constants.h"
#include "platform/Fonts.h"
#include "platform/MessageBox.h"
#include "platform/OwnedWindow.h"
#include "platform/NumberText.h"
#include "site/SiteFiles.h"
#include "site/TopAreaModel.h"

namespace {
bool IsRoof(int roof) { return roof >= 0 && roof < gEachTopAreaNumber && roof < kMaxTopAreas; }
}  // namespace

ChangeHeightFrm::ChangeHeightFrm(InputLineFrm* owner) : QWidget(owner, platform::OwnedWindowFlags()), owner_(owner)
{
    setObjectName(QStringLiteral("ChangeHeightFrm"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("高さ変更"));
    setFont(platform::WindowFont(9));
    move(3000 / platform::kTwipsPerPixel, 1000 / platform::kTwipsPerPixel);
    setFixedSize(220, 80);
    Label1 = new QLabel(QStringLiteral("高さ"), this);
    Label1->setGeometry(12, 14, 40, 22);
    HeightTxt = new QLineEdit(QStringLiteral("0"), this);
    HeightTxt->setObjectName(QStringLiteral("HeightTxt"));
    HeightTxt->setGeometry(56, 12, 90, 24);
    UnitLbl = new QLabel(QStringLiteral("ｍ"), this);
    UnitLbl->setGeometry(152, 14, 20, 22);
    OKCmd = new QPushButton(QStringLiteral("OK"), this);
    OKCmd->setObjectName(QStringLiteral("OKCmd"));
    OKCmd->setGeometry(130, 46, 80, 26);
    OKCmd->setDefault(true);
    connect(OKCmd, &QPushButton::clicked, this, &ChangeHeightFrm::OKCmd_Click);
    connect(HeightTxt, &QLineEdit::returnPressed, this, &ChangeHeightFrm::OKCmd_Click);

    const int roof = owner_->pActiveTopArea;
    if (IsRoof(roof)) HeightTxt->setText(QString::fromStdString(platform::FormatFixed(gFlatTopHeight[roof], "###0.0")));
}

void ChangeHeightFrm::OKCmd_Click()
{
    const int roof = owner_->pActiveTopArea;
    if (!IsRoof(roof)) {
        close();
        return;
    }
    const std::optional<float> height = RoofHeightOfText(HeightTxt->text().trimmed().toStdString());
    if (!height) {
        platform::ShowMessage(this, QString::fromUtf8(kRoofHeightRefusedMessage));
        return;
    }
    SetTopAreaHeight(roof, *height);
    owner_->pChangeCount = 1;
    owner_->ShowFlatLineMap(roof);
    close();
}
