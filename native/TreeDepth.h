#pragma once
// How deep a display tree may be: at most kMaxTreeDepth levels below its root.
// The framework refuses a deeper tree with an error, the backend's scene
// ignores a change that would make one, and the renderer draws no deeper, so
// every walk over a tree (recursive ones included) stays within the stack.

namespace limn::native {

inline constexpr int kMaxTreeDepth = 1000;

}  // namespace limn::native
