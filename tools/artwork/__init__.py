"""The drawing code behind the launcher's pictures in res/pictures/.

tools/make_pictures.py is the one entry point; it asks each picture module
for its images and writes them out.  Reading order, from the bottom up:

  curves, gradients, canvas   drawing primitives: curves through points,
                              gradient paints, the supersampled canvas
  palette, fonts              the named colours and the typefaces
  colour_key                  the landing window's cut-out colour
  ornaments                   gold castings, jade stones and shapes that
                              several pictures share
  heroine                     the figure, her moon and clouds
  landing                     the landing window's artwork (landing.png)
  button_faces                the round landing buttons and the title-bar
                              button faces, plain and lit
  title_bar                   the title strip tile and the logo face
  app_icon                    the program icon (orvendal.ico)
"""
