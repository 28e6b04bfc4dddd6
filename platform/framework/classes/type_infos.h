// TypeInfoOf<T>(): the type information of a property's C++ type, the
// same pointer on every call.
// Pointers to framework classes describe themselves; every other type
// has one explicit specialisation, defined once in the framework (or in
// the unit that declares the type), so that each type has exactly one
// TTypeInfo in the whole process:
//
//   // in the header, after the enum:
//   FRAME_TYPE_INFO(TMonsterDirection);
//   // in the .cpp:
//   FRAME_DEFINE_ENUM_INFO(TMonsterDirection, "mdLeft", "mdRight", "mdUp", "mdDown");
#pragma once
#include <type_traits>

#include "framework/classes/events.h"
#include "framework/classes/typinfo.h"

template <class T>
struct TypeInfoFor;  // deliberately undefined: a type must be declared

#define FRAME_TYPE_INFO(T)          \
    template <>                     \
    struct TypeInfoFor<T> {         \
        static PTypeInfo Get();     \
    }

#define FRAME_DEFINE_ENUM_INFO(T, ...)                                              \
    PTypeInfo TypeInfoFor<T>::Get() {                                               \
        static const TTypeInfo info{TTypeKind::Enumeration, #T, {__VA_ARGS__}};     \
        return &info;                                                               \
    }

#define FRAME_DEFINE_SET_INFO(T, ...)                                               \
    PTypeInfo TypeInfoFor<T>::Get() {                                               \
        static const TTypeInfo info{TTypeKind::Set, #T, {__VA_ARGS__}};             \
        return &info;                                                               \
    }

#define FRAME_DEFINE_TYPE_INFO(T, Kind, Name)                                       \
    PTypeInfo TypeInfoFor<T>::Get() {                                               \
        static const TTypeInfo info{Kind, Name, {}};                                \
        return &info;                                                               \
    }

FRAME_TYPE_INFO(int8_t);
FRAME_TYPE_INFO(uint8_t);
FRAME_TYPE_INFO(int16_t);
FRAME_TYPE_INFO(uint16_t);
FRAME_TYPE_INFO(int);
FRAME_TYPE_INFO(long);
FRAME_TYPE_INFO(unsigned);
FRAME_TYPE_INFO(int64_t);
FRAME_TYPE_INFO(bool);
FRAME_TYPE_INFO(WordBool);
FRAME_TYPE_INFO(float);
FRAME_TYPE_INFO(double);
FRAME_TYPE_INFO(TDateTime);
FRAME_TYPE_INFO(Currency);
FRAME_TYPE_INFO(AnsiString);
FRAME_TYPE_INFO(TNotifyEvent);
FRAME_TYPE_INFO(TMouseEvent);
FRAME_TYPE_INFO(TMouseMoveEvent);
FRAME_TYPE_INFO(TKeyPressEvent);
FRAME_TYPE_INFO(TDragOverEvent);
FRAME_TYPE_INFO(TDragDropEvent);

template <class T>
PTypeInfo TypeInfoOf() {
    if constexpr (std::is_pointer_v<T>) {
        return &std::remove_pointer_t<T>::StaticClass().TypeInfo();
    } else {
        return TypeInfoFor<T>::Get();
    }
}
