// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/about.h"

#include "app/appicons.h"
#include "app/links.h"
#include "config/version.h"
#include "platform/desktopcentre.h"
#include "platform/shellopener.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include <utility>

namespace quorbel {
namespace {

QLabel* addLabel(QWidget* parent, const QString& name, const QString& text, QPoint at) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->move(at);
    label->adjustSize();
    return label;
}

// Shown where the build has no address for a link line.
QString notSet() {
    return TAboutBox::tr("未设置");
}

} // namespace

TAboutBox::TAboutBox(ShellOpener& shell, ProgramLinks links, QWidget* parent)
    : QDialog(parent), shell_(shell), links_(std::move(links)) {
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
    auto* product = addLabel(panel, QStringLiteral("Label6"), tr("〖Quorbel〗"), {56, 8});
    product->setStyleSheet(QStringLiteral("color: blue; font-weight: bold; font-size: 16px;"));
    product->adjustSize();
    addLabel(panel, QStringLiteral("Version"),
             QStringLiteral("V") + QString::fromUtf8(projectVersion), {192, 8})
        ->setStyleSheet(QStringLiteral("color: red;"));
    addLabel(panel, QStringLiteral("Label1"), tr("主页:"), {8, 72});
    addLink(panel, QStringLiteral("Comments"), links_.homePage, notSet(), {47, 68}, 226,
            &TAboutBox::CommentsClick);
    // A continuation of the home-page row, so it stays empty rather than repeat "not set".
    addLink(panel, QStringLiteral("Label2"), links_.secondPage, QString(), {47, 84}, 226,
            &TAboutBox::Label2Click);
    addLabel(panel, QStringLiteral("Label3"), QStringLiteral("Email:"), {8, 110});
    addLink(panel, QStringLiteral("Label4"), links_.mailAddress, notSet(), {55, 108}, 218,
            &TAboutBox::Label4Click);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setGeometry(103, 164, 75, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    centreOnDesktop(*this);
}

// A link only where the build has an address: a packager who set none gets a
// plain line in the same place, never a link to nowhere.
QLabel* TAboutBox::addLink(QWidget* panel, const QString& name, const std::string& address,
                           const QString& none, QPoint at, int width,
                           void (TAboutBox::*handler)()) {
    auto* link = new QLabel(panel);
    link->setObjectName(name);
    link->setWordWrap(true);
    link->setGeometry(at.x(), at.y(), width, 16);
    if (address.empty()) {
        link->setTextFormat(Qt::PlainText);
        link->setText(none);
        return link;
    }
    link->setTextFormat(Qt::RichText);
    link->setText(QStringLiteral("<a href=\"#\" style=\"color: navy;\">%1</a>")
                      .arg(QString::fromStdString(address).toHtmlEscaped()));
    link->setCursor(Qt::PointingHandCursor);
    link->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    connect(link, &QLabel::linkActivated, this, [this, handler] { (this->*handler)(); });
    return link;
}

void TAboutBox::openIfSet(const std::string& address) {
    if (!address.empty())
        shell_.open(address);
}

void TAboutBox::CommentsClick() {
    openIfSet(links_.homePage);
}
void TAboutBox::Label2Click() {
    openIfSet(links_.secondPage);
}
void TAboutBox::Label4Click() {
    if (!links_.mailAddress.empty())
        shell_.open(links::mailLink(links_.mailAddress));
}

} // namespace quorbel
