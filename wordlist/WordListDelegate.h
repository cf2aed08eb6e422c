#pragma once

#include <QStyledItemDelegate>

// Paints one plain word per row. The styled delegate lays out every row's
// text with icons, elision and word wrap in mind; a word list needs none of
// that, and a full screen of rows is painted after every run.
class WordListDelegate final : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    static constexpr int margin = 3;
};
