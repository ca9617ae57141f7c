#ifndef TOVENDAL_DOCUMENT_MARKUPCHECK_H
#define TOVENDAL_DOCUMENT_MARKUPCHECK_H

#include <cstddef>

class TiXmlDocument;

/// TinyXML takes a UTF-8 lead byte and the bytes after it as one character without
/// looking at them: a broken sequence before a quote, a '<' or the end swallows
/// them. Such a lead byte becomes 0x80, which it reads alone and which is no more
/// valid UTF-8 than before, so the text still comes out empty. Bytes that complete
/// a sequence, valid or not, are only letters, digits or other bytes above 127, and
/// TinyXML copies those as they stand.
void NeutraliseBrokenLeadBytes(char* text, std::size_t size);

/// Walks the markup as TinyXML's parser will; false when it nests, holds attributes or nodes
/// beyond what a plan may, cuts a node off at the end, or has markup after text at the top level.
bool CheckPlanMarkup(const char* text, std::size_t size);

/// Whether TinyXML cut a text or attribute value short at a reference to character 0.
bool HasCutValue(const TiXmlDocument& xml);

#endif // TOVENDAL_DOCUMENT_MARKUPCHECK_H
