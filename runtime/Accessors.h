#pragma once
// Plain C++ accessors and the by-name table written from one list per class, so
// the two cannot drift apart.
//
// A class lists its properties once, in its header, as a macro of entries
// RW(name, Name, Type) (read and write) and RO(name, Name) (read only), each
// reached through const limnGet<Name> and limnSet<Name>. `Type` is the type the
// setter takes. Properties with other getters are written beside the list by
// hand. Inside the class:
//
//   #define BALL_PROPERTIES(RW, RO) RW(speed, Speed, double) RO(mass, Mass)
//   class Ball : public rt::Object {
//   public:
//       BALL_PROPERTIES(RT_ACCESSOR_RW, RT_ACCESSOR_RO)
//       ...                               // limnGetSpeed, limnSetSpeed, limnGetMass
//   };
//
// gives speed(), setSpeed(v) and mass(), each one inline call of the getter or
// setter it names; the class table, in the .cpp, is built from the same list:
//
//   using Self = Ball;
//   ... rt::ClassInfo("Ball", &rt::Object::staticClass())
//           BALL_PROPERTIES(RT_BIND_RW, RT_BIND_RO)

#define RT_ACCESSOR_RW(name, Name, Type) \
    [[nodiscard]] auto name() const {    \
        return limnGet##Name();          \
    }                                    \
    void set##Name(Type value) {         \
        limnSet##Name(value);            \
    }
#define RT_ACCESSOR_RO(name, Name)    \
    [[nodiscard]] auto name() const { \
        return limnGet##Name();       \
    }
#define RT_BIND_RW(name, Name, Type) .property<&Self::limnGet##Name, &Self::limnSet##Name>(#name)
#define RT_BIND_RO(name, Name) .property<&Self::limnGet##Name>(#name)

// The same for classes whose getters and setters are get_<name> and set_<name>.
#define RT_PLAIN_ACCESSOR_RW(name, Name, Type) \
    [[nodiscard]] auto name() const {          \
        return get_##name();                   \
    }                                          \
    void set##Name(Type value) {               \
        set_##name(value);                     \
    }
#define RT_PLAIN_ACCESSOR_RO(name, Name) \
    [[nodiscard]] auto name() const {    \
        return get_##name();             \
    }
#define RT_PLAIN_BIND_RW(name, Name, Type) .property<&Self::get_##name, &Self::set_##name>(#name)
#define RT_PLAIN_BIND_RO(name, Name) .property<&Self::get_##name>(#name)
