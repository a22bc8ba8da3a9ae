#pragma once

#include <QAbstractItemView>
#include <QApplication>
#include <QTest>
#include <QTreeWidget>

namespace quill::studio::test {

// Clicks a row of a tree as a user does, scrolling it into view first.
inline void ClickRow(QTreeWidget& tree, QTreeWidgetItem* item, Qt::KeyboardModifiers modifiers = {}) {
    QVERIFY(item);
    tree.scrollToItem(item);
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, modifiers, tree.visualItemRect(item).center());
}

inline void DoubleClickRow(QTreeWidget& tree, QTreeWidgetItem* item) {
    QVERIFY(item);
    tree.scrollToItem(item);
    const QPoint at = tree.visualItemRect(item).center();
    // A double click is a press and release, then a second press that
    // the view takes as the double click.
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(tree.viewport(), Qt::LeftButton, {}, at);
}

// Replaces the text of a focused line editor by typing, then presses Return.
inline void TypeOver(QWidget* widget, const QString& text) {
    QVERIFY(widget);
    widget->setFocus();
    QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(widget, text);
    QTest::keyClick(widget, Qt::Key_Return);
}

}  // namespace quill::studio::test
