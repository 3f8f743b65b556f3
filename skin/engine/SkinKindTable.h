// The seam between the class-name dispatcher and the kinds of skinner: one
// creator function per kind. The dispatcher decides the kind from the class
// name and styles (SkinDispatch.h) and asks this table for an object; a kind
// with no creator, or one whose creation fails, leaves the window alone.
#pragma once

#include "skin/engine/SkinDispatch.h"

class CControlSkin;

// Makes a new skinner of one kind (window and previous procedure unset,
// state 0, hot item -1 where the kind has one), or returns null.
typedef CControlSkin* (*PFN_CREATESKIN)();

// Replaces the creator of nKind and returns the one it had; SKIN_KIND_NONE
// and values out of range are refused (null is returned).
PFN_CREATESKIN SkinSetKindCreator(SkinKind nKind, PFN_CREATESKIN pfnCreate);
PFN_CREATESKIN SkinGetKindCreator(SkinKind nKind);

// A new skinner of nKind, or null when the kind has no creator or the object
// cannot be made (an allocation failure is not passed on).
CControlSkin* SkinCreateKind(SkinKind nKind);
