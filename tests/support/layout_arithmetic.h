// The layout's arithmetic, for tests that compute where a window must be: a stored length scaled
// from the parent size it was stored against to the parent size now, in 64-bit floating point,
// truncated toward zero.
#pragma once

namespace testing_support {

inline int ScaledLikeTheLayout(double size, double stored, double storedSize) {
    return static_cast<int>(size * (stored / storedSize));
}

}  // namespace testing_support
