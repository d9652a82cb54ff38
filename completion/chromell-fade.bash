# bash completion for chromell-fade

_chromell_fade_colors=(aliceblue antiquewhite aqua aquamarine azure beige bisque black
  blanchedalmond blue blueviolet brown burlywood cadetblue chartreuse chocolate coral
  cornflowerblue cornsilk crimson cyan darkblue darkcyan darkgoldenrod darkgray darkgreen
  darkgrey darkkhaki darkmagenta darkolivegreen darkorange darkorchid darkred darksalmon
  darkseagreen darkslateblue darkslategray darkslategrey darkturquoise darkviolet deeppink
  deepskyblue dimgray dimgrey dodgerblue firebrick floralwhite forestgreen fuchsia gainsboro
  ghostwhite gold goldenrod gray green greenyellow grey honeydew hotpink indianred indigo
  ivory khaki lavender lavenderblush lawngreen lemonchiffon lightblue lightcoral lightcyan
  lightgoldenrodyellow lightgray lightgreen lightgrey lightpink lightsalmon lightseagreen
  lightskyblue lightslategray lightslategrey lightsteelblue lightyellow lime limegreen linen
  magenta maroon mediumaquamarine mediumblue mediumorchid mediumpurple mediumseagreen
  mediumslateblue mediumspringgreen mediumturquoise mediumvioletred midnightblue mintcream
  mistyrose moccasin navajowhite navy oldlace olive olivedrab orange orangered orchid
  palegoldenrod palegreen paleturquoise palevioletred papayawhip peachpuff peru pink plum
  powderblue purple rebeccapurple red rosybrown royalblue saddlebrown salmon sandybrown
  seagreen seashell sienna silver skyblue slateblue slategray slategrey snow springgreen
  steelblue tan teal thistle tomato turquoise violet wheat white whitesmoke yellow
  yellowgreen)

_chromell_fade() {
  local cur prev words cword
  _init_completion -n = || return

  local option=$prev value=$cur
  if [[ $cur == --*=* ]]; then
    option=${cur%%=*}
    value=${cur#*=}
  fi
  case $option in
    -c | --colors)
      # Complete the colour after the last comma, keeping the ones before it.
      local done=${value%"${value##*,}"}
      COMPREPLY=($(compgen -P "$done" -W "${_chromell_fade_colors[*]}" -- "${value##*,}"))
      compopt -o nospace
      return
      ;;
    --format)
      COMPREPLY=($(compgen -W "aim html bbcode ansi ansi256 minimessage" -- "$value"))
      return
      ;;
    --blend)
      COMPREPLY=($(compgen -W "rgb oklab" -- "$value"))
      return
      ;;
    -p | --preview)
      _filedir png
      return
      ;;
  esac

  if [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W "--colors --format --blend --per-line --columns --wave --preview
      --markup --help --version -c -w -p -m -h -V" -- "$cur"))
  fi
} &&
  complete -F _chromell_fade chromell-fade
