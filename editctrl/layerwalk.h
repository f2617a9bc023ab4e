// Visiting the draw objects of a picture in drawing order: layers from the
// last to the first (the first layer lies on top), objects of a layer from
// first to last.
#pragma once
#include "drawobj.h"
#include "picobj.h"

template <class Fn>
void ForEachObjectInLayer(CPicLayer& layer, Fn fn) {
  for (POSITION pos = layer.m_objects.GetHeadPosition(); pos;)
    fn(static_cast<CDrawObj*>(layer.m_objects.GetNext(pos)));
}

// Every object of every layer whose visible flag is set.
template <class Fn>
void ForEachVisibleObject(CPicObj& picture, Fn fn) {
  for (POSITION pos = picture.m_layers.GetTailPosition(); pos;) {
    auto* layer = static_cast<CPicLayer*>(picture.m_layers.GetPrev(pos));
    if (layer->m_bVisible) ForEachObjectInLayer(*layer, fn);
  }
}

// Every object of every layer, visible or not (compiling needs them all).
template <class Fn>
void ForEachObject(CPicObj& picture, Fn fn) {
  for (POSITION pos = picture.m_layers.GetHeadPosition(); pos;)
    ForEachObjectInLayer(*static_cast<CPicLayer*>(picture.m_layers.GetNext(pos)), fn);
}
