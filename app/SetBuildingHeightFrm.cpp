#include "SetBuildingHeightFrm.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "site/SiteFiles.h"
#include "site/TopAreaModel.h"
#include "platform/Constants.h"
#include "platform/MessageBox.h"
#include "platform/NamedControls.h"
#include "platform/NumberText.h"

int gSetBillHeightMode = 0;

namespace {
using platform::kTwipsPerPixel;
bool IsBuilding(int index) { return index >= 0 && index < gEachTopAreaNumber && index < kMaxTopAreas; }
}  // namespace

SetBuildingHeightFrm::SetBuildingHeightFrm(int building, std::function<void(int)> redraw, QWidget* parent)
    : QDialog(parent), building_(building), redraw_(std::move(redraw))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("高さ入力"));
    setModal(false);
    move(4000 / kTwipsPerPixel, 2000 / kTwipsPerPixel);
    setFixedSize(240, 80);

    Label1 = new QLabel(QStringLiteral("高さ"), this);
    Label1->setGeometry(12, 14, 40, 22);
    HeightTxt = new QLineEdit(QStringLiteral("10"), this);
    HeightTxt->setObjectName(QStringLiteral("HeightTxt"));
    HeightTxt->setGeometry(56, 12, 90, 24);
    Label2 = new QLabel(QStringLiteral("ｍ"), this);
    Label2->setGeometry(152, 14, 20, 22);
    OKCmd = new QPushButton(QStringLiteral("OK(&Y)"), this);
    OKCmd->setObjectName(QStringLiteral("OKCmd"));
    OKCmd->setGeometry(150, 46, 80, 26);
    OKCmd->setDefault(true);
    connect(OKCmd, &QPushButton::clicked, this, &SetBuildingHeightFrm::OKCmd_Click);

    gSetBillHeightMode = -1;
    if (IsBuilding(building_)) {
        HeightTxt->setText(platform::BoxNumber(gFlatTopHeight[building_]));
    }
}

void SetBuildingHeightFrm::OKCmd_Click()
{
    // A height must be a number from the ground up to the highest a project file takes; anything
    // else is refused and the dialog stays open with the building unchanged.
    const std::optional<float> height = RoofHeightOfText(HeightTxt->text().trimmed().toStdString());
    if (!height) {
        platform::ShowMessage(this, QString::fromUtf8(kRoofHeightRefusedMessage));
        return;
    }
    if (IsBuilding(building_)) {
        SetTopAreaHeight(building_, *height);
        if (redraw_) {
            redraw_(building_);
        }
    }
    close();
}

void SetBuildingHeightFrm::closeEvent(QCloseEvent* event)
{
    gSetBillHeightMode = 0;
    QDialog::closeEvent(event);
}
