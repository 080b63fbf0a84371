#pragma once
// A drawing command prepared by the backend, sent again with
// Graphics::drawGraphicsData / drawGraphicsDatum by its handle.

#include "runtime/Object.h"

namespace limn::display {

class IGraphicsData : public rt::Object {
public:
    RT_DECLARE_CLASS

    explicit IGraphicsData(const rt::Dynamic& handle) : limnHandle(handle) {}

    rt::Dynamic limnHandle;
};

}  // namespace limn::display
