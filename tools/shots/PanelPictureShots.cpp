#include "Shots.h"

#include "widgets/S500_Panel.h"

namespace
{
const vqshots::Shot picture { "front-panel-picture", []
                              {
                                  auto panel = std::make_unique<PLEMVO_Panel> (PLEMVO_Panel::loadFrontPanelPicture());
                                  panel->setSize (325, 570);
                                  return panel;
                              } };
} // namespace
