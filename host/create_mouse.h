// Creation by mouse: the host feeds an object's creation callback the clicks and moves made
// in a viewport, and keeps or discards the object by the callback's answer.
#pragma once

#include "host/geom.h"

class ViewExp;

// Mouse messages.
constexpr int MOUSE_ABORT = 0;
constexpr int MOUSE_POINT = 1;
constexpr int MOUSE_MOVE = 2;
constexpr int MOUSE_FREEMOVE = 6;

// Answers of a creation callback.
constexpr int CREATE_CONTINUE = 1;
constexpr int CREATE_STOP = 0;  // the object is made
constexpr int CREATE_ABORT = -1;  // the object is discarded

class CreateMouseCallBack {
public:
    virtual ~CreateMouseCallBack() = default;
    // point counts the clicks so far; m is the cursor in pixels; mat is the new node's transform.
    virtual int proc(ViewExp* vpt, int msg, int point, int flags, IPoint2 m, Matrix3& mat) = 0;
};
