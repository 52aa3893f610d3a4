#pragma once

#include <QWidget>

namespace gallery {

// Every look of the progress bar as real controls, each made from a stored design the way a
// window makes its bars: a row per look at several values with and without the text, then the
// rows that show what a look does beyond that (look 2's moving segments, look 7's hatches,
// look 8's pictures, the text split over the fill in looks 6 and 9, the upright XP looks).
class ProgressBarSheet : public QWidget {
public:
    explicit ProgressBarSheet(QWidget* parent = nullptr);
};

} // namespace gallery
