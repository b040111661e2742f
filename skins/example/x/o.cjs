# Evening: a dark slate window with amber accents.
# To use it, copy the folder "x" beside RespitePrompter.exe and start the program.
# The format is described in docs/skin-format.md.

window.background   = #1E252E

frame.background    = #1E252E
frame.text          = #F2B544
frame.font          = Tahoma, 9, bold

checkbox.background = #1E252E
checkbox.text       = #E8E8E8
checkbox.font       = Tahoma, 9, regular

label.background    = #1E252E
label.text          = #E8E8E8

textbox.background  = #2D3642
textbox.text        = #FFFFFF
textbox.font        = Courier New, 10, regular

button.face         = #F2B544
button.text         = #1E252E
button.font         = Tahoma, 11, bold

progress.background = #2D3642
progress.fill       = #4FB286
progress.text       = #FFFFFF
progress.font       = Tahoma, 9, bold
