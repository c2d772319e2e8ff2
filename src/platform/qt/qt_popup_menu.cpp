#include "platform/qt/qt_popup_menu.h"

#include <QCursor>
#include <QMenu>
#include <QPointer>

#include "forms/form.h"
#include "platform/qt/qt_form_peer.h"
#include "platform/qt/qt_platform.h"

namespace platform::qt {

// Opened by a key, the menu hangs from the control's lower left corner,
// where the keyboard user's eyes are; Qt keeps it on the screen.
std::optional<int> QtPopupMenu::popUp(forms::Control& anchor, bool atPointer,
                                      const std::vector<MenuItem>& items) {
    QtFormPeer* peer = platform_.peerOf(anchor.form());
    QWidget* widget = peer ? peer->widgetOf(anchor) : nullptr;
    QPointer<QMenu> menu = new QMenu(widget ? widget->window() : nullptr);
    std::vector<QAction*> actions;
    for (const MenuItem& item : items) {
        if (item.separatorBefore) menu->addSeparator();
        QAction* action = menu->addAction(QString::fromStdString(item.text));
        action->setCheckable(item.checkable);
        action->setChecked(item.checked);
        actions.push_back(action);
    }
    const QPoint at =
        atPointer || !widget ? QCursor::pos() : widget->mapToGlobal(QPoint(0, widget->height()));
    QAction* chosen = menu->exec(at);
    // A handler run meanwhile may have closed the panel, and the menu with it.
    std::optional<int> index;
    for (std::size_t i = 0; menu && i < actions.size(); ++i) {
        if (actions[i] == chosen) index = int(i);
    }
    delete menu.data();
    return index;
}

}  // namespace platform::qt
