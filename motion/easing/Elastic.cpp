#include "motion/easing/Elastic.h"

namespace com::quillfern::motion::easing {

const rt::ClassInfo& ElasticEaseIn::staticClass() {
    return curveClass<ElasticEaseIn>("ElasticEaseIn");
}
const rt::ClassInfo& ElasticEaseOut::staticClass() {
    return curveClass<ElasticEaseOut>("ElasticEaseOut");
}
const rt::ClassInfo& ElasticEaseInOut::staticClass() {
    return curveClass<ElasticEaseInOut>("ElasticEaseInOut");
}

}  // namespace com::quillfern::motion::easing
