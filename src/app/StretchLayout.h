#pragma once

#include <QList>
#include <QPointer>
#include <QSize>
#include <QWidget>

// Resizes a form of absolutely placed controls around a hidden marker control: controls left
// of (or above) the marker stay, those across it grow by half the change, those right of (or
// below) it move by the whole change. Odd changes alternate their extra pixel. The form never
// shrinks below the size at which moving controls would run over fixed ones.
class StretchLayout {
public:
    // Scans the form's other children around marker, moves the marker once, works out the
    // minimum size, and lays the form out from designedSize to its current size.
    void setUp(QWidget& form, QWidget& marker, QSize designedSize);
    // Lays the controls out for a new form size.
    void resize(QSize newSize);

    bool isSetUp() const { return m_form != nullptr; }
    QSize minimumSize() const { return m_minimum; }

private:
    struct Axis {
        int fixedMax = 0;
        int innerMax = 0;
        int innerMin = 0;
        int movingMin = 0;
        bool hasInner = false;
        bool hasMoving = false;
        int oddCounter = 0;
        void scan(int edge, int markerLow, int markerHigh);
        // The marker's new low and high edge.
        std::pair<int, int> markerEdges() const;
        // How far the form may shrink along this axis with the marker at [low, high).
        int shrinkLimit(int low, int high) const;
        int halfChange(int change);
    };

    QPointer<QWidget> m_form;
    QPointer<QWidget> m_marker;
    QSize m_last;
    QSize m_minimum;
    Axis m_x;
    Axis m_y;
};
