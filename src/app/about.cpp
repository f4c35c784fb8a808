#include "app/about.h"

#include "app/appicons.h"
#include "app/links.h"
#include "platform/desktopcentre.h"
#include "platform/shellopener.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace quorbel {
namespace {

QLabel* addLabel(QWidget* parent, const QString& name, const QString& text, QPoint at) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->move(at);
    label->adjustSize();
    return label;
}

} // namespace

TAboutBox::TAboutBox(ShellOpener& shell, QWidget* parent) : QDialog(parent), shell_(shell) {
    setObjectName(QStringLiteral("TAboutBox"));
    setWindowTitle(tr("关于"));
    setFixedSize(288, 214);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    // One pixel narrower than drawn at first, which ran past the client area.
    panel->setGeometry(8, 8, 280, 145);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* icon = new QLabel(panel);
    icon->setObjectName(QStringLiteral("ProgramIcon"));
    icon->setGeometry(8, 8, 41, 41);
    icon->setPixmap(programIcon().pixmap(41, 41));
    auto* product =
        addLabel(panel, QStringLiteral("Label6"), tr("〖Quorbel〗"), {56, 8});
    product->setStyleSheet(QStringLiteral("color: blue; font-weight: bold; font-size: 16px;"));
    product->adjustSize();
    addLabel(panel, QStringLiteral("Version"), QStringLiteral("V2.4"), {192, 8})
        ->setStyleSheet(QStringLiteral("color: red;"));
    addLabel(panel, QStringLiteral("Label1"), tr("主页:"), {8, 72});
    addLink(panel, QStringLiteral("Comments"), QString::fromUtf8(links::homePage), {47, 68}, 226,
            &TAboutBox::CommentsClick);
    addLink(panel, QStringLiteral("Label2"), QString::fromUtf8(links::secondPage), {47, 84}, 226,
            &TAboutBox::Label2Click);
    addLabel(panel, QStringLiteral("Label3"), QStringLiteral("Email:"), {8, 110});
    addLink(panel, QStringLiteral("Label4"), QString::fromUtf8(links::mailAddress), {55, 108}, 218,
            &TAboutBox::Label4Click);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setGeometry(103, 164, 75, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    centreOnDesktop(*this);
}

QLabel* TAboutBox::addLink(QWidget* panel, const QString& name, const QString& shown, QPoint at,
                           int width, void (TAboutBox::*handler)()) {
    auto* link = new QLabel(
        QStringLiteral("<a href=\"#\" style=\"color: navy;\">%1</a>").arg(shown.toHtmlEscaped()),
        panel);
    link->setObjectName(name);
    link->setWordWrap(true);
    link->setGeometry(at.x(), at.y(), width, 16);
    link->setCursor(Qt::PointingHandCursor);
    link->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    connect(link, &QLabel::linkActivated, this, [this, handler] { (this->*handler)(); });
    return link;
}

void TAboutBox::CommentsClick() {
    shell_.open(links::homePage);
}
void TAboutBox::Label2Click() {
    shell_.open(links::secondPage);
}
void TAboutBox::Label4Click() {
    shell_.open(links::mailLink);
}

} // namespace quorbel
