// Makes the link classes known to the picture model: names them in the class
// registry, so that pictures with links load, and installs the operations
// through which draw objects prepare, fire, find and compile their links.
// Call once at start-up, after the model's own registration.
#pragma once

class CAction;
class CObject;

void RegisterLinkClasses();

// The link behind an object of a draw object's link array (null for an
// object of another class).
CAction* AsLink(CObject* pObj);
