#pragma once
// The two byte-order texts that ByteArray::endian reads and writes.

// glibc's <endian.h> defines BIG_ENDIAN and LITTLE_ENDIAN as macros, which
// would rewrite the constants below; include it once here and drop the two
// macros (its include guard keeps them from coming back).
#include <endian.h>
#undef BIG_ENDIAN
#undef LITTLE_ENDIAN

namespace limn::utils {

class Endian {
public:
    Endian() = delete;

    static constexpr const char* BIG_ENDIAN = "bigEndian";
    static constexpr const char* LITTLE_ENDIAN = "littleEndian";
};

}  // namespace limn::utils
