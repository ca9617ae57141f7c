#ifndef TOVENDAL_VIEW_TEXTWRAPPER_H
#define TOVENDAL_VIEW_TEXTWRAPPER_H

// Placeholder until the comments wrapper lands.

#endif // TOVENDAL_VIEW_TEXTWRAPPER_H
