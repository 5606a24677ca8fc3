#include "engine/item_bank.h"

namespace acv {
namespace {

struct Wording {
  std::string_view self;
  std::string_view observer;
};

// Every item in its Self and Observer wording, by item number, with the criterion group it
// counts toward. Windows-1252 text: \x91 and \x92 are the left and right single quotation marks.
constexpr std::array<Wording, kItemSlots> kItems = {{
    /*   0 not an item */
    {"", ""},
    /*   1 hyperactive-impulsive */
    {"I interrupt or intrude on others (e.g. I butt into conversations).",
     "Interrupts or intrudes on others (e.g. butts into conversations)."},
    /*   2 obsessive-compulsive */
    {"I feel driven to repeat certain actions, such as checking, washing or counting, until they "
     "feel right.",
     "Feels driven to repeat certain actions, such as checking, washing or counting, until they "
     "feel right."},
    /*   3 inattentive */
    {"I make careless mistakes in my work because I overlook details.",
     "Makes careless mistakes in their work because they overlook details."},
    /*   4 post-traumatic stress */
    {"I have distressing memories of a terrible event that keep coming back.",
     "Has distressing memories of a terrible event that keep coming back."},
    /*   5 post-traumatic stress */
    {"I have upsetting dreams about a frightening event that happened to me.",
     "Has upsetting dreams about a frightening event that happened to them."},
    /*   6 inattentive */
    {"I find it hard to keep my attention on tasks or activities.",
     "Finds it hard to keep their attention on tasks or activities."},
    /*   7 obsessive-compulsive */
    {"I have unwanted thoughts or images that keep coming into my mind and cause me distress.",
     "Has unwanted thoughts or images that keep coming into their mind and cause them distress."},
    /*   8 motor tic */
    {"I make sudden, repeated movements that I cannot control (e.g. blinking, shrugging, jerking "
     "my head).",
     "Makes sudden, repeated movements that they cannot control (e.g. blinking, shrugging, jerking "
     "their head)."},
    /*   9 panic */
    {"I experience sudden onsets of intense fear or discomfort.",
     "Experiences sudden onsets of intense fear or discomfort."},
    /*  10 obsessive-compulsive */
    {"I know my repeated thoughts or rituals are excessive, but I cannot stop them.",
     "Knows their repeated thoughts or rituals are excessive, but cannot stop them."},
    /*  11 vocal tic */
    {"I make sudden, repeated sounds that I cannot control (e.g. sniffing, grunting, clearing my "
     "throat).",
     "Makes sudden, repeated sounds that they cannot control (e.g. sniffing, grunting, clearing "
     "their throat)."},
    /*  12 specific phobia */
    {"I experience intense fear brought on by the presence or anticipation of a specific object or "
     "situation (e.g. flying, heights, animals, receiving an injection, seeing blood).",
     "Experiences intense fear brought on by the presence or anticipation of a specific object or "
     "situation (e.g. flying, heights, animals, receiving an injection, seeing blood)."},
    /*  13 inattentive */
    {"I do not seem to listen when someone speaks to me directly.",
     "Does not seem to listen when someone speaks to them directly."},
    /*  14 panic */
    {"My heart pounds or races during these sudden attacks of fear.",
     "Has a pounding or racing heart during sudden attacks of fear."},
    /*  15 hyperactive-impulsive */
    {"I fidget with my hands or feet, or squirm in my seat.",
     "Fidgets with their hands or feet, or squirms in their seat."},
    /*  16 panic */
    {"I sweat heavily during sudden attacks of fear.",
     "Sweats heavily during sudden attacks of fear."},
    /*  17 specific phobia */
    {"I go out of my way to avoid the object or situation that I fear.",
     "Goes out of their way to avoid the object or situation that they fear."},
    /*  18 receptive language */
    {"I find it hard to understand what other people are saying to me.",
     "Finds it hard to understand what other people are saying to them."},
    /*  19 phonological */
    {"I mispronounce words or leave out sounds when I speak.",
     "Mispronounces words or leaves out sounds when speaking."},
    /*  20 bulimia */
    {"I eat an unusually large amount of food in a short period of time.",
     "Eats an unusually large amount of food in a short period of time."},
    /*  21 major depression */
    {"I feel unhappy, sad, or empty for most of the day.",
     "Feels unhappy, sad, or empty for most of the day."},
    /*  22 written expression */
    {"I make many spelling mistakes when I write.", "Makes many spelling mistakes when writing."},
    /*  23 post-traumatic stress */
    {"I become very upset when something reminds me of a terrible event.",
     "Becomes very upset when something reminds them of a terrible event."},
    /*  24 social (pervasive developmental) */
    {"I find it hard to make eye contact with people when I talk to them.",
     "Finds it hard to make eye contact with people when talking to them."},
    /*  25 reading */
    {"I have trouble reading.", "Has trouble reading."},
    /*  26 expressive language */
    {"I have difficulty finding the right words to say what I mean.",
     "Has difficulty finding the right words to say what they mean."},
    /*  27 communication (pervasive developmental) */
    {"I repeat what the other person has just said if I don\x92t know what to say.",
     "Repeats what the other person has just said if they don't know what to say."},
    /*  28 reading */
    {"I read much more slowly than other people.", "Reads much more slowly than other people."},
    /*  29 oppositional defiant */
    {"I lose my temper.", "Loses their temper."},
    /*  30 written expression */
    {"I have trouble with written work (e.g. writing an essay or note).",
     "Has trouble with written work (e.g. writing an essay or note)."},
    /*  31 oppositional defiant */
    {"I argue with people in authority (e.g. my boss, a teacher, the police).",
     "Argues with people in authority (e.g. their boss, a teacher, the police)."},
    /*  32 expressive language */
    {"I use a smaller range of words than most people of my age.",
     "Uses a smaller range of words than most people of their age."},
    /*  33 hyperactive-impulsive */
    {"I find it hard to stay seated when I am expected to.",
     "Finds it hard to stay seated when expected to."},
    /*  34 major depression */
    {"My appetite fluctuates greatly.", "Has great fluctuations in appetite."},
    /*  35 anorexia */
    {"I have an intense fear about getting fat or overweight.",
     "Has an intense fear about getting fat or overweight."},
    /*  36 panic */
    {"I feel short of breath or smothered during sudden attacks of fear.",
     "Feels short of breath or smothered during sudden attacks of fear."},
    /*  37 antisocial */
    {"I fail to obey the law and do things that could get me arrested.",
     "Fails to obey the law and does things that could get them arrested."},
    /*  38 receptive language */
    {"I have trouble following spoken instructions.", "Has trouble following spoken instructions."},
    /*  39 panic */
    {"I tremble or shake during sudden attacks of fear.",
     "Trembles or shakes during sudden attacks of fear."},
    /*  40 generalised anxiety */
    {"I feel restless, keyed up or on edge.", "Feels restless, keyed up or on edge."},
    /*  41 conduct */
    {"I bully, threaten or intimidate other people.",
     "Bullies, threatens or intimidates other people."},
    /*  42 expressive language */
    {"I make mistakes in grammar when I speak (e.g. I mix up tenses).",
     "Makes mistakes in grammar when speaking (e.g. mixes up tenses)."},
    /*  43 post-traumatic stress / major depression */
    {"I have difficulty sleeping.", "Has difficulty sleeping."},
    /*  44 conduct */
    {"I start physical fights.", "Starts physical fights."},
    /*  45 inattentive */
    {"I have difficulty organising tasks and activities.",
     "Has difficulty organising tasks and activities."},
    /*  46 expressive language */
    {"I speak in short, simple sentences because longer ones are hard for me.",
     "Speaks in short, simple sentences because longer ones are hard for them."},
    /*  47 dysthymia */
    {"I feel tired or have little energy.", "Feels tired or has little energy."},
    /*  48 major depression */
    {"I have lost interest or pleasure in things I used to enjoy.",
     "Has lost interest or pleasure in things they used to enjoy."},
    /*  49 mathematics */
    {"I have trouble doing simple calculations in my head.",
     "Has trouble doing simple calculations in their head."},
    /*  50 conduct */
    {"I have used a weapon that could seriously harm someone (e.g. a knife, a bat, a broken "
     "bottle).",
     "Has used a weapon that could seriously harm someone (e.g. a knife, a bat, a broken bottle)."},
    /*  51 conduct */
    {"I am physically cruel to people.", "Is physically cruel to people."},
    /*  52 antisocial */
    {"I lie, use false names or con other people for my own profit or pleasure.",
     "Lies, uses false names or cons other people for their own profit or pleasure."},
    /*  53 obsessive-compulsive */
    {"I try to ignore or push away my unwanted thoughts with other thoughts or actions.",
     "Tries to ignore or push away their unwanted thoughts with other thoughts or actions."},
    /*  54 generalised anxiety / dysthymia */
    {"I have difficulty concentrating or making decisions.",
     "Has difficulty concentrating or making decisions."},
    /*  55 panic */
    {"I feel dizzy, light-headed or faint during sudden attacks of fear.",
     "Feels dizzy, light-headed or faint during sudden attacks of fear."},
    /*  56 phonological */
    {"People find my speech hard to understand.",
     "Has speech that people find hard to understand."},
    /*  57 conduct */
    {"I am physically cruel to animals.", "Is physically cruel to animals."},
    /*  58 bulimia */
    {"My body shape and weight influences how I feel about myself.",
     "Has a self-esteem that is influenced by their body shape and weight."},
    /*  59 reading */
    {"I lose my place or skip lines when I read.",
     "Loses their place or skips lines when reading."},
    /*  60 restricted (pervasive developmental) */
    {"I am preoccupied with one narrow interest to an unusual degree.",
     "Is preoccupied with one narrow interest to an unusual degree."},
    /*  61 social (pervasive developmental) */
    {"I don\x92t vary my body posture, or use hand gestures, when I am talking to people.",
     "Does not vary their body posture, or use hand gestures, when they are talking to people."},
    /*  62 restricted (pervasive developmental) */
    {"I become very upset if my daily routines are changed.",
     "Becomes very upset if their daily routines are changed."},
    /*  63 conduct */
    {"I have deliberately set fire to things intending to cause serious damage.",
     "Has deliberately set fire to things intending to cause serious damage."},
    /*  64 communication (pervasive developmental) */
    {"I find it hard to start or keep up a conversation with other people.",
     "Finds it hard to start or keep up a conversation with other people."},
    /*  65 expressive language */
    {"I have trouble putting my thoughts into words.",
     "Has trouble putting their thoughts into words."},
    /*  66 hyperactive-impulsive */
    {"I am \x91on the go\x92 or act as if I am \x91"
     "driven by a motor\x92.",
     "Is \x91on the go\x92 or acts as if they are \x91"
     "driven by a motor\x92."},
    /*  67 antisocial */
    {"I act on impulse without planning ahead.", "Acts on impulse without planning ahead."},
    /*  68 motor tic */
    {"I make repeated movements of my face, such as grimacing or twitching.",
     "Makes repeated movements of their face, such as grimacing or twitching."},
    /*  69 dysthymia */
    {"I feel hopeless about the future.", "Feels hopeless about the future."},
    /*  70 antisocial */
    {"I get into physical fights or assault people.",
     "Gets into physical fights or assaults people."},
    /*  71 mathematics */
    {"I have trouble remembering number facts (e.g. times tables).",
     "Has trouble remembering number facts (e.g. times tables)."},
    /*  72 panic */
    {"I feel sick in the stomach during sudden attacks of fear.",
     "Feels sick in the stomach during sudden attacks of fear."},
    /*  73 written expression */
    {"I find it hard to organise my ideas when I write.",
     "Finds it hard to organise their ideas when writing."},
    /*  74 bulimia */
    {"I feel that I cannot stop eating or control how much I eat.",
     "Feels unable to stop eating or control how much they eat."},
    /*  75 vocal tic */
    {"I repeat words or phrases out loud without meaning to.",
     "Repeats words or phrases out loud without meaning to."},
    /*  76 phonological */
    {"I substitute one sound for another when I speak (e.g. I say wabbit for rabbit).",
     "Substitutes one sound for another when speaking (e.g. says wabbit for rabbit)."},
    /*  77 post-traumatic stress */
    {"I avoid people, places or activities that remind me of a terrible event.",
     "Avoids people, places or activities that remind them of a terrible event."},
    /*  78 anorexia / bulimia */
    {"I try to avoid weight gain by using purging techniques (e.g. self-induced vomiting, "
     "laxatives, diuretics, enemas).",
     "Tries to prevent weight gain by using purging techniques (e.g. self-induced vomiting, "
     "laxatives, diuretics, enemas)."},
    /*  79 specific phobia */
    {"I feel panicky as soon as I face the thing that I fear.",
     "Feels panicky as soon as they face the thing that they fear."},
    /*  80 obsessive-compulsive */
    {"I feel compelled to arrange things in an exact order.",
     "Feels compelled to arrange things in an exact order."},
    /*  81 oppositional defiant */
    {"I refuse to follow rules or do what I am asked.",
     "Refuses to follow rules or do what they are asked."},
    /*  82 vocal tic */
    {"I make sudden noises or call out words that I cannot control.",
     "Makes sudden noises or calls out words that they cannot control."},
    /*  83 panic */
    {"I have chest pain or discomfort during sudden attacks of fear.",
     "Has chest pain or discomfort during sudden attacks of fear."},
    /*  84 conduct */
    {"I have forced someone into sexual activity.", "Has forced someone into sexual activity."},
    /*  85 anorexia */
    {"I refuse to keep my body weight at a healthy level for my height.",
     "Refuses to keep their body weight at a healthy level for their height."},
    /*  86 oppositional defiant */
    {"I deliberately annoy other people.", "Deliberately annoys other people."},
    /*  87 obsessive-compulsive */
    {"I spend more than an hour a day on rituals or repeated thoughts.",
     "Spends more than an hour a day on rituals or repeated thoughts."},
    /*  88 panic */
    {"I feel that things around me are unreal, or that I am detached from myself, during sudden "
     "attacks of fear.",
     "Feels that things around them are unreal, or that they are detached from themself, during "
     "sudden attacks of fear."},
    /*  89 obsessive-compulsive */
    {"I recognise that my unwanted thoughts are a product of my own mind.",
     "Recognises that their unwanted thoughts are a product of their own mind."},
    /*  90 expressive language */
    {"I have trouble telling a story or explaining events in the right order.",
     "Has trouble telling a story or explaining events in the right order."},
    /*  91 specific phobia */
    {"I know that my fear is excessive or unreasonable.",
     "Knows that their fear is excessive or unreasonable."},
    /*  92 oppositional defiant */
    {"I blame others for my own mistakes or bad behaviour.",
     "Blames others for their own mistakes or bad behaviour."},
    /*  93 major depression */
    {"I have lost interest in almost all of my usual activities.",
     "Has lost interest in almost all of their usual activities."},
    /*  94 inattentive */
    {"I fail to follow through on instructions and leave jobs unfinished.",
     "Fails to follow through on instructions and leaves jobs unfinished."},
    /*  95 hyperactive-impulsive */
    {"I feel restless and find it hard to keep still.",
     "Seems restless and finds it hard to keep still."},
    /*  96 receptive language */
    {"I have trouble understanding long or complicated sentences.",
     "Has trouble understanding long or complicated sentences."},
    /*  97 motor tic */
    {"I make complex repeated movements that I cannot stop (e.g. touching, jumping, twirling).",
     "Makes complex repeated movements that they cannot stop (e.g. touching, jumping, twirling)."},
    /*  98 generalised anxiety */
    {"I tire easily because of my worrying.", "Tires easily because of their worrying."},
    /*  99 dysthymia */
    {"I experience a significant decrease or increase in appetite.",
     "Experiences a significant decrease or increase in appetite."},
    /* 100 major depression */
    {"I feel worthless or excessively guilty.", "Feels worthless or excessively guilty."},
    /* 101 inattentive */
    {"I avoid tasks that need sustained mental effort.",
     "Avoids tasks that need sustained mental effort."},
    /* 102 major depression */
    {"I feel slowed down in my movements and speech.",
     "Seems slowed down in their movements and speech."},
    /* 103 panic */
    {"I feel numbness or tingling in my body during sudden attacks of fear.",
     "Feels numbness or tingling in their body during sudden attacks of fear."},
    /* 104 inattentive */
    {"I lose things I need for tasks (e.g. keys, wallet, papers, tools).",
     "Loses things needed for tasks (e.g. keys, wallet, papers, tools)."},
    /* 105 panic */
    {"I have chills or hot flushes during sudden attacks of fear.",
     "Has chills or hot flushes during sudden attacks of fear."},
    /* 106 hyperactive-impulsive */
    {"I blurt out answers before questions have been finished.",
     "Blurts out answers before questions have been finished."},
    /* 107 antisocial */
    {"I am irritable and aggressive towards other people.",
     "Is irritable and aggressive towards other people."},
    /* 108 oppositional defiant */
    {"I am touchy or easily annoyed by others.", "Is touchy or easily annoyed by others."},
    /* 109 post-traumatic stress */
    {"I feel distant or cut off from other people.", "Seems distant or cut off from other people."},
    /* 110 specific phobia */
    {"I put up with the thing I fear only with great distress.",
     "Puts up with the thing they fear only with great distress."},
    /* 111 generalised anxiety */
    {"I find it hard to control my worrying.", "Finds it hard to control their worrying."},
    /* 112 oppositional defiant */
    {"I am angry and resentful.", "Is angry and resentful."},
    /* 113 expressive language */
    {"I have trouble learning new words.", "Has trouble learning new words."},
    /* 114 dysthymia */
    {"I feel unhappy, sad, or empty.", "Feels unhappy, sad, or empty."},
    /* 115 anorexia */
    {"I see myself as fat even when other people say I am too thin.",
     "Sees themself as fat even when other people say they are too thin."},
    /* 116 conduct */
    {"I have deliberately destroyed other people\x92s property.",
     "Has deliberately destroyed other people\x92s property."},
    /* 117 hyperactive-impulsive */
    {"I have difficulty waiting my turn.", "Has difficulty waiting their turn."},
    /* 118 anorexia / bulimia */
    {"I diet strictly or exercise excessively to control my weight.",
     "Diets strictly or exercises excessively to control their weight."},
    /* 119 post-traumatic stress */
    {"I have trouble remembering important parts of a terrible event.",
     "Has trouble remembering important parts of a terrible event."},
    /* 120 expressive language */
    {"I have trouble expressing myself clearly when I speak.",
     "Has trouble expressing themself clearly when speaking."},
    /* 121 obsessive-compulsive */
    {"I feel I must do things a set number of times.",
     "Feels they must do things a set number of times."},
    /* 122 conduct */
    {"I have stolen things of value from other people.",
     "Has stolen things of value from other people."},
    /* 123 panic */
    {"I am afraid of losing control or going crazy during sudden attacks of fear.",
     "Is afraid of losing control or going crazy during sudden attacks of fear."},
    /* 124 bulimia */
    {"I make myself vomit after eating.", "Makes themself vomit after eating."},
    /* 125 generalised anxiety / dysthymia */
    {"I have problems sleeping.", "Has problems sleeping."},
    /* 126 generalised anxiety */
    {"I have tense or aching muscles.", "Has tense or aching muscles."},
    /* 127 major depression */
    {"I have thoughts of harming myself.", "Has thoughts of harming themself."},
    /* 128 vocal tic */
    {"I have sudden urges to shout or swear that I cannot control.",
     "Has sudden urges to shout or swear that they cannot control."},
    /* 129 hyperactive-impulsive */
    {"I talk excessively.", "Talks excessively."},
    /* 130 mathematics */
    {"I have trouble understanding mathematical ideas or symbols.",
     "Has trouble understanding mathematical ideas or symbols."},
    /* 131 reading */
    {"I have trouble understanding what I have just read.",
     "Has trouble understanding what they have just read."},
    /* 132 phonological */
    {"I stutter or stammer when I speak.", "Stutters or stammers when speaking."},
    /* 133 receptive language */
    {"I have trouble understanding words that have more than one meaning.",
     "Has trouble understanding words that have more than one meaning."},
    /* 134 communication (pervasive developmental) */
    {"I use odd or repetitive phrases that other people find unusual.",
     "Uses odd or repetitive phrases that other people find unusual."},
    /* 135 conduct */
    {"I stay out all night without permission.", "Stays out all night without permission."},
    /* 136 major depression */
    {"I have recurrent thoughts of committing suicide.",
     "Has recurrent thoughts of committing suicide."},
    /* 137 antisocial */
    {"I do not feel sorry after I have hurt or mistreated someone.",
     "Does not feel sorry after hurting or mistreating someone."},
    /* 138 social (pervasive developmental) */
    {"I don\x92t seek to share enjoyment, interests, or achievements with other people.",
     "Doesn\x92t seek to share enjoyment, interests, or achievements with other people."},
    /* 139 antisocial */
    {"I fail to keep a job or pay my debts.", "Fails to keep a job or pay their debts."},
    /* 140 restricted (pervasive developmental) */
    {"I repeat the same movements over and over (e.g. hand flapping, rocking).",
     "Repeats the same movements over and over (e.g. hand flapping, rocking)."},
    /* 141 mathematics */
    {"I have trouble with mathematics.", "Has trouble with mathematics."},
    /* 142 restricted (pervasive developmental) */
    {"I am fascinated by parts of objects rather than the whole object.",
     "Is fascinated by parts of objects rather than the whole object."},
    /* 143 generalised anxiety */
    {"I worry a great deal about many things.", "Worries a great deal about many things."},
    /* 144 post-traumatic stress */
    {"I act or feel as if a terrible event were happening again.",
     "Acts or feels as if a terrible event were happening again."},
    /* 145 motor tic */
    {"I have sudden jerks of my arms, legs or body that I cannot control.",
     "Has sudden jerks of their arms, legs or body that they cannot control."},
    /* 146 post-traumatic stress */
    {"I have low expectations for my future (e.g. I do not expect to have a career, marriage, "
     "children, or a normal life span).",
     "Has low expectations for their future (e.g. they do not expect to have a career, marriage, "
     "children, or a normal life span)."},
    /* 147 bulimia */
    {"I eat in secret because I am ashamed of how much I eat.",
     "Eats in secret because they are ashamed of how much they eat."},
    /* 148 written expression */
    {"I have trouble with punctuation and sentence structure when I write.",
     "Has trouble with punctuation and sentence structure when writing."},
    /* 149 dysthymia */
    {"I have low self-esteem.", "Has low self-esteem."},
    /* 150 hyperactive-impulsive */
    {"I interrupt activities or games that other people are playing.",
     "Interrupts activities or games that other people are playing."},
    /* 151 bulimia */
    {"I fast for long periods to make up for eating too much.",
     "Fasts for long periods to make up for eating too much."},
    /* 152 antisocial */
    {"I take risks without regard for my own safety or that of others.",
     "Takes risks without regard for their own safety or that of others."},
    /* 153 post-traumatic stress */
    {"I react physically (e.g. sweating, shaking) when reminded of a terrible event.",
     "Reacts physically (e.g. sweating, shaking) when reminded of a terrible event."},
    /* 154 anorexia */
    {"How I feel about myself is influenced by my body shape and weight.",
     "Lets their body shape and weight influence their self-esteem."},
    /* 155 major depression */
    {"I feel restless or agitated without any clear reason.",
     "Seems restless or agitated without any clear reason."},
    /* 156 specific phobia */
    {"I feel anxious for a long time before I have to face the thing I fear.",
     "Feels anxious for a long time before having to face the thing they fear."},
    /* 157 post-traumatic stress */
    {"I feel a narrower range of emotions than I used to (e.g. I cannot feel love).",
     "Shows a narrower range of emotions than before (e.g. cannot feel love)."},
    /* 158 inattentive */
    {"I am easily distracted by things going on around me.",
     "Is easily distracted by things going on around them."},
    /* 159 social (pervasive developmental) */
    {"I find it hard to make friends with people of my own age.",
     "Finds it hard to make friends with people of their own age."},
    /* 160 bulimia */
    {"I worry about getting fat or overweight.", "Worries about getting fat or overweight."},
    /* 161 anorexia */
    {"I deny that my low body weight is a serious problem.",
     "Denies that their low body weight is a serious problem."},
    /* 162 antisocial */
    {"I have been in trouble with the police.", "Has been in trouble with the police."},
    /* 163 panic */
    {"I am afraid I am dying during sudden attacks of fear.",
     "Is afraid of dying during sudden attacks of fear."},
    /* 164 inattentive */
    {"I forget things in my daily activities (e.g. appointments, paying bills).",
     "Forgets things in their daily activities (e.g. appointments, paying bills)."},
    /* 165 communication (pervasive developmental) */
    {"I take things too literally and miss the point of jokes or figures of speech.",
     "Takes things too literally and misses the point of jokes or figures of speech."},
    /* 166 phonological */
    {"I slur my words when I speak.", "Slurs their words when speaking."},
    /* 167 generalised anxiety */
    {"I am irritable because of my worries.", "Is irritable because of their worries."},
    /* 168 antisocial */
    {"I fail to look after my responsibilities to my family.",
     "Fails to look after their responsibilities to their family."},
    /* 169 post-traumatic stress */
    {"I am easily startled.", "Is easily startled."},
    /* 170 major depression */
    {"I have recurrent thoughts of death.", "Has recurrent thoughts of death."},
    /* 171 phonological */
    {"I have trouble saying long words correctly.", "Has trouble saying long words correctly."},
    /* 172 expressive language */
    {"I leave out important words when I speak.", "Leaves out important words when speaking."},
    /* 173 post-traumatic stress */
    {"I feel on guard and watchful for danger all the time.",
     "Is on guard and watchful for danger all the time."},
    /* 174 conduct */
    {"I often lie to get things or to avoid obligations.",
     "Often lies to get things or to avoid obligations."},
    /* 175 panic */
    {"I feel as if I am choking during sudden attacks of fear.",
     "Feels as if they are choking during sudden attacks of fear."},
    /* 176 generalised anxiety */
    {"I worry excessively about a number of events or activities (e.g. my work or academic "
     "performance, my future).",
     "Worries excessively about a number of events or activities (e.g. work or academic "
     "performance, their future)."},
    /* 177 expressive language */
    {"I have trouble describing things so that other people understand.",
     "Has trouble describing things so that other people understand."},
    /* 178 social (pervasive developmental) */
    {"I do not understand how other people feel.", "Does not understand how other people feel."},
    /* 179 conduct */
    {"I have run away from home overnight.", "Has run away from home overnight."},
    /* 180 reading */
    {"I make mistakes when I read aloud (e.g. I misread or leave out words).",
     "Makes mistakes when reading aloud (e.g. misreads or leaves out words)."},
    /* 181 mathematics */
    {"I have trouble handling money or working out change.",
     "Has trouble handling money or working out change."},
    /* 182 conduct */
    {"I skip work or classes without a good reason.",
     "Skips work or classes without a good reason."},
    /* 183 obsessive-compulsive */
    {"I feel I must check things again and again (e.g. locks, taps, switches).",
     "Feels they must check things again and again (e.g. locks, taps, switches)."},
    /* 184 post-traumatic stress */
    {"I have outbursts of anger that are out of proportion.",
     "Has outbursts of anger that are out of proportion."},
    /* 185 conduct */
    {"I break into someone else's house, building, or car.",
     "Breaks into other people\x92s houses, buildings, or cars."},
    /* 186 written expression */
    {"My handwriting is very hard for others to read.",
     "Has handwriting that is very hard for others to read."},
    /* 187 obsessive-compulsive */
    {"I wash my hands or clean things far more than is needed.",
     "Washes their hands or cleans things far more than is needed."},
    /* 188 oppositional defiant */
    {"I am spiteful or vindictive.", "Is spiteful or vindictive."},
    /* 189 major depression */
    {"I feel tired or like I don\x92t have the energy to do things.",
     "Feels tired or like they don\x92t have the energy to do things."},
    /* 190 post-traumatic stress / major depression */
    {"I have problems concentrating or making decisions.",
     "Has problems concentrating or making decisions."},
}};

}  // namespace

std::string_view ItemBank::Self(int item) {
  return IsItemNumber(item) ? kItems[item].self : "";
}

std::string_view ItemBank::Observer(int item) {
  return IsItemNumber(item) ? kItems[item].observer : "";
}

}  // namespace acv
