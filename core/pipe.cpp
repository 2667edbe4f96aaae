#include "core/pipe.h"

#include "core/utils_exception.h"

namespace Utils {

Pipe Pipe::Create() {
  SECURITY_ATTRIBUTES attributes = {};
  attributes.nLength = sizeof(attributes);
  attributes.bInheritHandle = TRUE;
  Pipe pipe;
  if (!::CreatePipe(pipe.m_ReadEnd.Receive(), pipe.m_WriteEnd.Receive(), &attributes, 0)) {
    throw Exception();  // `pipe` closes whichever end exists
  }
  return pipe;
}

}  // namespace Utils
