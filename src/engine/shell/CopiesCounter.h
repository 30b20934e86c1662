#pragma once
// The layout page's copies counter, 1..99. Stepping past either end beeps and keeps the value.

namespace gp {

class CopiesCounter {
public:
    int value() const { return m_value; }
    // False (the caller beeps) when the counter is already at 99 or 1.
    bool increment();
    bool decrement();
    void set(int value);
    // The bitmap that shows the count: 9300 + count.
    int bitmapId() const { return 9300 + m_value; }

private:
    int m_value = 1;
};

} // namespace gp
