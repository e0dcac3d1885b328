#pragma once

#include <QList>
#include <QWidget>

#include "core/Review.h"

class QLabel;
class QVBoxLayout;

namespace ts {

// One "why" bullet: the icon of its kind and its text.
class WhyRow final : public QWidget {
    Q_OBJECT
public:
    explicit WhyRow(const WhyBullet& bullet, QWidget* parent = nullptr);

    const WhyBullet& bullet() const { return m_bullet; }

protected:
    void changeEvent(QEvent* event) override;

private:
    void applyIcon();

    WhyBullet m_bullet;
    QLabel* m_icon;
    QLabel* m_text;
};

// The bullets of a result, one row each; hidden when there are none.
class WhyList final : public QWidget {
    Q_OBJECT
public:
    explicit WhyList(QWidget* parent = nullptr);

    void setBullets(const QList<WhyBullet>& bullets);
    QList<WhyRow*> rows() const { return m_rows; }

private:
    QVBoxLayout* m_layout;
    QList<WhyRow*> m_rows;
};

}  // namespace ts
